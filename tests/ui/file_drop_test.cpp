// Dropping files onto a window: exactly one local file is accepted and opened
// once the drop is over; anything else is refused and opens nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "ui/file_drop.h"

namespace {

struct DropCase {
    const char* name;
    QList<QUrl> urls;
    const char* text;  // plain text instead of addresses, when urls is empty
    QString opened;    // what reaches the open routine ("" = nothing)
};

class FileDropTest : public ::testing::TestWithParam<DropCase> {};

TEST_P(FileDropTest, AcceptsOneLocalFileOnly) {
    const DropCase& c = GetParam();
    QWidget window;
    QStringList opened;
    new dozudo::FileDrop(&window, [&](const QString& path) { opened << path; });
    EXPECT_TRUE(window.acceptDrops());

    QMimeData data;
    if (!c.urls.isEmpty()) data.setUrls(c.urls);
    if (c.text) data.setText(c.text);
    const bool wanted = !c.opened.isEmpty();

    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_EQ(enter.isAccepted(), wanted) << "drag enter";

    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_EQ(drop.isAccepted(), wanted) << "drop";
    EXPECT_TRUE(opened.isEmpty()) << "opened during the drop itself";
    QApplication::processEvents();
    EXPECT_EQ(opened, wanted ? QStringList{c.opened} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    Drops, FileDropTest,
    ::testing::Values(
        DropCase{"OneLocalFile", {QUrl::fromLocalFile("/tmp/puzzle one.sdk")}, nullptr, "/tmp/puzzle one.sdk"},
        DropCase{"AnyExtension", {QUrl::fromLocalFile("/tmp/notes.txt")}, nullptr, "/tmp/notes.txt"},
        DropCase{"TwoFiles",
                 {QUrl::fromLocalFile("/tmp/a.sdk"), QUrl::fromLocalFile("/tmp/b.sdk")}, nullptr, ""},
        DropCase{"RemoteAddress", {QUrl("https://www.vorlane.example/a.sdk")}, nullptr, ""},
        DropCase{"PlainText", {}, "/tmp/a.sdk", ""}),
    [](const ::testing::TestParamInfo<DropCase>& info) { return std::string(info.param.name); });

}  // namespace
