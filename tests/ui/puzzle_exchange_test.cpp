// The puzzle file dialogs, the error box, the command-line open and the clipboard in the
// real main window (offscreen): what the user sees in the dialogs, caption, status line,
// board and command bar.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "exchange/puzzle_record.h"
#include "exchange/puzzle_text.h"
#include "game/captions.h"
#include "tests/ui/window_fixture.h"

// Readable failures.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace dozudo {
namespace {

using namespace uitest;

// Runs `act` on the next modal widget as soon as it is shown (polling the event loop).
void onNextModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

QByteArray recordOf(const Board& b) {
    const puzzleRecord r = recordFromBoard(b);
    return QByteArray(reinterpret_cast<const char*>(r.data()), static_cast<int>(r.size()));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Board sample() {
    Board b;
    b.set(1, 1, 5, fkGiven);
    b.set(2, 1, 3, fkEntered);
    return b;
}

class PuzzleExchange : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(documents());
        qputenv("XDG_DOCUMENTS_DIR", documents().toUtf8());
        win = std::make_unique<ShownWindow>(allScales[1]);
    }
    void TearDown() override { qunsetenv("XDG_DOCUMENTS_DIR"); }
    QString documents() const { return dir.filePath("Documents"); }
    TZelArrayBtn* bar() { return win->w().ZelArrayBtn1; }
    void click(int button) {
        const QPoint at = bar()->GetBtnRect(button).toQRect().center();
        QTest::mouseMove(bar(), at);
        QTest::mousePress(bar(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(bar(), Qt::LeftButton, {}, at);
        QTest::mouseMove(&win->w(), QPoint(3, win->w().height() - 3));
        ShownWindow::settle();
    }
    QString status() { return win->w().StaticText1->text(); }
    QString caption() { return win->w().windowTitle(); }

    QTemporaryDir dir;
    std::unique_ptr<ShownWindow> win;
};

TEST_F(PuzzleExchange, OpenDialogSettingsAndOpening) {
    EXPECT_EQ(win->w().OpenDialog1, nullptr) << "no dialog before it is used";
    EXPECT_EQ(win->w().SaveDialog1, nullptr);
    const QString path = dir.filePath("hard.sdk");
    writeFile(path, recordOf(sample()));
    QString title, suffix, folder, selectedFilter;
    QStringList filters;
    onNextModal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        title = d->windowTitle();
        filters = d->nameFilters();
        selectedFilter = d->selectedNameFilter();
        suffix = d->defaultSuffix();
        folder = d->directory().absolutePath();
        d->selectFile(path);
        QMetaObject::invokeMethod(d, "accept");
    });
    click(cmdOpen);
    EXPECT_EQ(title, "Open game");
    EXPECT_EQ(filters, QStringList({"SUDOKU file (*sdk)", "puzzle texts (*.txt *.sdm *.ss *.sdk)", "all files (*)"}));
    EXPECT_EQ(selectedFilter, "SUDOKU file (*sdk)");
    EXPECT_EQ(suffix, "sdk");
    EXPECT_EQ(folder, documents()) << "before any puzzle, the documents folder";
    EXPECT_EQ(caption(), "DOZUDO - vudede : hard.sdk");
    EXPECT_EQ(status(), "opened : hard.sdk");
    EXPECT_EQ(win->game().board.digit(1, 1), 5);
    EXPECT_EQ(win->game().board.at(2, 1).kind, fkEntered);
    EXPECT_NE(bar()->GetBtnStatus(cmdOpen), stDown) << "open is released";
    // Closed, the dialog no longer watches its folder; the save dialog is still not made.
    auto* model = win->w().OpenDialog1->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(model->testOption(QFileSystemModel::DontWatchForChanges));
    EXPECT_EQ(win->w().SaveDialog1, nullptr);
}

TEST_F(PuzzleExchange, SaveDialogAddsTheExtensionAndCancelKeepsTheButtonDown) {
    win->game().board = sample();
    QString title;
    QStringList filters;
    onNextModal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        title = d->windowTitle();
        filters = d->nameFilters();
        d->selectFile(dir.filePath("typed"));
        QMetaObject::invokeMethod(d, "accept");
    });
    click(cmdSave);
    EXPECT_EQ(title, "save game");
    EXPECT_EQ(filters, QStringList{"SUDOKU file (*sdk)"}) << "save writes the record only";
    EXPECT_EQ(readFile(dir.filePath("typed.sdk")), recordOf(sample()));
    EXPECT_EQ(status(), "saved : typed.sdk");
    EXPECT_EQ(caption(), "DOZUDO - vudede") << "saving keeps the caption";
    EXPECT_NE(bar()->GetBtnStatus(cmdSave), stDown);

    win->game().setStatus(0, "before");
    onNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    click(cmdSave);
    EXPECT_EQ(bar()->GetBtnStatus(cmdSave), stDown) << "a cancelled save leaves save down";
    EXPECT_EQ(status(), "");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"typed.sdk"});
}

// The names the dialog's list shows, once its folder has been read (a second at most).
QStringList listedNames(QFileDialog* d) {
    auto* list = d->findChild<QListView*>("listView");
    if (!list || !list->model()) return {};
    QStringList names;
    (void)QTest::qWaitFor([&] {
        names.clear();
        const QModelIndex root = list->rootIndex();
        for (int i = 0; i < list->model()->rowCount(root); ++i)
            names << list->model()->index(i, 0, root).data().toString();
        return !names.isEmpty();
    }, 1000);
    return names;
}

TEST_F(PuzzleExchange, SaveDialogListsTheDocumentsFolderItMadeEveryTime) {
    QDir(documents()).removeRecursively();  // a fresh account: no documents folder yet
    win->game().board = sample();
    QStringList listed;
    for (const bool first : {true, false}) {
        onNextModal([&, first](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->directory().absolutePath(), documents());
            if (!first) {  // the second dialog is only looked at
                listed = listedNames(d);
                d->reject();
                return;
            }
            d->selectFile(QDir(documents()).filePath("first"));
            QMetaObject::invokeMethod(d, "accept");
        });
        click(cmdSave);
    }
    EXPECT_TRUE(QFile::exists(QDir(documents()).filePath("first.sdk")));
    EXPECT_EQ(listed, QStringList{"first.sdk"}) << "the second dialog lists what the first saved";
}

TEST_F(PuzzleExchange, FailingOpenShowsTheErrorBoxAndChangesNothing) {
    const QString path = dir.filePath("short.sdk");
    writeFile(path, QByteArray(100, '\0'));
    win->game().board.set(9, 9, 4, fkGiven);
    const QString statusBefore = status();
    QString text;
    onNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        box->accept();
    });
    EXPECT_FALSE(win->w().openPuzzleFile(path));
    EXPECT_EQ(text, "Read beyond end of file");
    EXPECT_EQ(caption(), "DOZUDO - vudede");
    EXPECT_EQ(status(), statusBefore);
    EXPECT_EQ(win->game().board.digit(9, 9), 4);
}

TEST_F(PuzzleExchange, FileNamesAreShownAsTyped) {
    const QString name = "<b>x<i>[*].sdk";
    writeFile(dir.filePath(name), recordOf(sample()));
    ASSERT_TRUE(win->w().openPuzzleFile(dir.filePath(name)));
    EXPECT_EQ(win->w().StaticText1->textFormat(), Qt::PlainText);
    EXPECT_EQ(status(), "opened : " + name);
    EXPECT_EQ(win->w().windowHandle()->title(), "DOZUDO - vudede : " + name);
}

struct CommandLineRow {
    const char* what;
    bool fileExists;
    int boxes;
    int digit11;
};

TEST(PuzzleCommandLine, FirstArgumentOpensAtTheFirstPaint) {
    const CommandLineRow rows[] = {{"an existing file (second argument ignored)", true, 0, 5},
                                   {"a missing file: one box, then the empty board", false, 1, 0}};
    for (const CommandLineRow& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir dir;
        const QString path = dir.filePath("start.sdk");
        if (row.fileExists) writeFile(path, recordOf(sample()));
        TForm1 form(1024, 768, 7);
        form.commandLine = {"dozudo", path, dir.filePath("other.sdk")};
        int boxes = 0;
        QString text;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++boxes;
                text = box->text();
                box->accept();
            }
        });
        closer.start(10);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QTest::qWait(300);
        EXPECT_EQ(boxes, row.boxes);
        if (row.boxes) {
            EXPECT_EQ(text, "File not found");
        }
        EXPECT_EQ(form.game().board.digit(1, 1), row.digit11);
        EXPECT_EQ(form.windowTitle(), row.fileExists ? "DOZUDO - vudede : start.sdk" : "DOZUDO - vudede");
    }
}

TEST_F(PuzzleExchange, ClipboardPasteThenCopy) {
    QClipboard* cb = QGuiApplication::clipboard();
    cb->setText("[53]" + QString(79, '.'));
    click(cmdClipboard);
    EXPECT_EQ(status(), "opened puzzle from clipboard");
    EXPECT_EQ(win->game().board.digit(2, 1), 3);
    EXPECT_EQ(bar()->GetBtnStatus(cmdClipboard), stDown) << "down during the pause";
    QTest::qWait(450);
    EXPECT_NE(bar()->GetBtnStatus(cmdClipboard), stDown) << "released by the timer";
    EXPECT_EQ(win->game().gameState, gsIdle);

    click(cmdClipboard);
    EXPECT_EQ(status(), "puzzle copied to clipboard");
    const QString text = cb->text();
    EXPECT_EQ(text.size(), 282);
    EXPECT_EQ(text.mid(19, 9), "[5][3] x ");
}

}  // namespace
}  // namespace dozudo
