// The help window: layout at the three field sizes, the pixels of framed words, shaded
// characters and link bands, and leafing by keys, links and the page-number box.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "help/core/help_code.h"
#include "help/info_form.h"
#include "window_fixture.h"

namespace dozudo {
namespace {

using uitest::px;
using uitest::rgb;

constexpr QRgb helpBg = rgb(240, 240, 192);
constexpr QRgb shade = rgb(216, 216, 216);
constexpr QRgb frameGrey = rgb(96, 96, 96);
// pen $A00000 OR NOT the background, and once more over that.
constexpr QRgb band = rgb(15, 15, 191);
constexpr QRgb bandRemoved = rgb(240, 240, 224);

// Stored lines of a help text given readable, 25 lines to a page (missing lines empty).
std::vector<std::string> stored(std::vector<std::string> lines, std::size_t pages) {
    lines.resize(pages * 25);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.size(); ++i)
        out.push_back(encodeHelpLine(lines[i], static_cast<std::uint32_t>(i)));
    return out;
}

struct Shown {
    std::unique_ptr<TinfoForm> form;
    explicit Shown(int cs, std::vector<std::string> lines = storedHelpLines())
        : form(std::make_unique<TinfoForm>(cs, std::move(lines))) {
        form->show();
        QTest::qWait(20);
        QCoreApplication::processEvents();
    }
    const QImage& box() const { return form->helpbox->image(); }
    QString pageNr() const { return form->pageNrDisplay->text(); }
    QString title() const { return form->subTitle->text(); }
};

class HelpWindowAtScale : public ::testing::TestWithParam<uitest::Scale> {};

TEST_P(HelpWindowAtScale, LayoutFollowsTheFieldSize) {
    const int cs = GetParam().cs;
    Shown s(cs);
    TinfoForm& f = *s.form;
    const int titleHeight = cs * 6 / 10;
    EXPECT_EQ(f.windowTitle(), "SUDOKU - help");
    EXPECT_EQ(f.subTitle->geometry(), QRect(10, 5, 10 * cs, titleHeight));
    const QRect box(10, 5 + titleHeight + cs / 4, 13 * cs, 9 * cs);
    EXPECT_EQ(f.helpbox->geometry(), box);
    EXPECT_EQ(f.pageNrDisplay->geometry(),
              QRect(box.x() + box.width() - cs * 3 / 4, 5, cs * 3 / 4, titleHeight));
    EXPECT_EQ(f.page1Btn->geometry(),
              QRect(f.pageNrDisplay->x() - 25 - cs / 2, 5, 25, titleHeight));
    EXPECT_EQ(f.size(), QSize(box.x() + box.width() + cs / 2, box.y() + box.height() + cs / 2));
    EXPECT_FALSE(f.ListBox1->isVisible());
    EXPECT_EQ(s.title(), "DOZUDO - contents");
    EXPECT_EQ(s.pageNr(), "1");
    // Sunken bevel: three dark rows on top, three light columns on the right.
    const QImage& img = s.box();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(px(img, 50, i), rgb(0, 0, 0));
        EXPECT_EQ(px(img, img.width() - 1 - i, 50), rgb(240, 240, 240));
    }
    EXPECT_EQ(px(img, 50, 3), helpBg);
}

TEST_P(HelpWindowAtScale, FramedWordsAndShadedCharacters) {
    const int cs = GetParam().cs;
    const int h = helpFontHeightsFor(cs).normalHeight;
    Shown s(cs, stored({"T", "\\[W\\[\\N", "", "\\MW\\N"}, 1));
    const QImage& img = s.box();
    Canvas measure;
    measure.setFont("arial", h, false);
    const int w = measure.TextWidth("W");
    const auto frameNear = [&](int x, int y) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (px(img, x + dx, y + dy) == frameGrey) return true;
        return false;
    };
    // Line 1 (y = h): box from y - 5 to y + 25, left side at 10, right side after the W.
    const int y = h;
    const int right = 15 + w;
    for (int yy : {y, y + 10, y + 20}) {
        EXPECT_TRUE(frameNear(10, yy)) << "left side at y " << yy;
        EXPECT_TRUE(frameNear(right, yy)) << "right side at y " << yy;
    }
    for (int xx = 12; xx < right - 1; xx += 3) {
        EXPECT_TRUE(frameNear(xx, y - 5)) << "top at x " << xx;
        EXPECT_TRUE(frameNear(xx, y + 25)) << "bottom at x " << xx;
    }
    EXPECT_FALSE(frameNear(right + 8, y + 10));
    // Line 3: the W on a grey box of its own size, dark glyph pixels inside it.
    const int y3 = 3 * h;
    EXPECT_EQ(px(img, 10, y3), shade);
    EXPECT_EQ(px(img, 10 + w - 1, y3), shade);
    EXPECT_EQ(px(img, 9, y3), helpBg);
    EXPECT_EQ(px(img, 10 + w, y3), helpBg);
    int dark = 0;
    for (int xx = 10; xx < 10 + w; ++xx)
        for (int yy = y3; yy < y3 + h; ++yy) dark += px(img, xx, yy) == rgb(0, 0, 0);
    EXPECT_GT(dark, 5);
}

TEST_P(HelpWindowAtScale, LinkBandCoversOneLinePitch) {
    const int cs = GetParam().cs;
    const int h = helpFontHeightsFor(cs).normalHeight;
    Shown s(cs, stored({"first", "", "\\I2 to two", "", "no link", "", "", "", "", "", "", "", "",
                        "", "", "", "", "", "", "", "", "", "", "", "", "second"},
                       2));
    TinfoForm& f = *s.form;
    const int x = f.helpbox->width() - 20;  // no text there
    QTest::mouseMove(f.helpbox, QPoint(30, 2 * h + h / 2));
    for (int y = 2 * h; y < 3 * h; ++y) EXPECT_EQ(px(s.box(), x, y), band) << "y " << y;
    EXPECT_EQ(px(s.box(), x, 2 * h - 1), helpBg);
    EXPECT_EQ(px(s.box(), x, 3 * h), helpBg);
    EXPECT_EQ(px(s.box(), 9, 2 * h), helpBg);  // the band starts at x = 10
    EXPECT_EQ(px(s.box(), 10, 2 * h), band);
    // Onto a line without a link: the band is drawn once more, which does not restore it.
    QTest::mouseMove(f.helpbox, QPoint(30, 4 * h + 1));
    EXPECT_EQ(px(s.box(), x, 2 * h), bandRemoved);
    EXPECT_EQ(px(s.box(), x, 4 * h), helpBg);
    QTest::mouseClick(f.helpbox, Qt::LeftButton, {}, QPoint(30, 4 * h + 1));
    EXPECT_EQ(s.pageNr(), "1");
    EXPECT_EQ(s.title(), "first");
    // Back onto the link and click: page 2.
    QTest::mouseMove(f.helpbox, QPoint(30, 2 * h + 1));
    QTest::mouseClick(f.helpbox, Qt::RightButton, {}, QPoint(30, 2 * h + 1));
    EXPECT_EQ(s.pageNr(), "2");
    EXPECT_EQ(s.title(), "second");
    EXPECT_EQ(px(s.box(), x, 2 * h), helpBg);  // the redrawn page has no band
}

INSTANTIATE_TEST_SUITE_P(Scales, HelpWindowAtScale, ::testing::ValuesIn(uitest::allScales),
                         uitest::scaleName);

TEST(HelpWindow, TitleIsShownAsStoredAndOddBytesAreDropped) {
    std::vector<std::string> lines = stored({"\\F raw \\[ title"}, 1);
    Shown s(50, lines);
    EXPECT_EQ(s.title(), "\\F raw \\[ title");
    lines[0] = encodeHelpLine("Ab", 1) + "\x41";
    Shown odd(50, lines);
    EXPECT_EQ(odd.title(), "Ab");
    lines[0].clear();
    Shown empty(50, lines);
    EXPECT_EQ(empty.title(), "");
}

TEST(HelpWindow, LinkBeyondTheLastPageShowsAnEmptyPage) {
    Shown s(50, stored({"one", "\\I7 far away"}, 2));
    TinfoForm& f = *s.form;
    const int h = f.heights.normalHeight;
    QTest::mouseMove(f.helpbox, QPoint(30, h + 2));
    QTest::mouseClick(f.helpbox, Qt::LeftButton, {}, QPoint(30, h + 2));
    EXPECT_EQ(s.pageNr(), "7");
    EXPECT_EQ(s.title(), "one");
    const QImage& img = s.box();
    bool empty = true;
    for (int y = 10; y < img.height() - 10; ++y)
        for (int x = 10; x < img.width() - 10; ++x) empty = empty && px(img, x, y) == helpBg;
    EXPECT_TRUE(empty);
    QTest::keyClick(&f, Qt::Key_PageDown);
    EXPECT_EQ(s.pageNr(), "7");
    QTest::keyClick(&f, Qt::Key_PageUp);
    EXPECT_EQ(s.pageNr(), "6");
}

TEST(HelpWindow, KeysLeafWithinTheNinePages) {
    Shown s(50);
    TinfoForm& f = *s.form;
    struct Step {
        Qt::Key key;
        const char* page;
        const char* title;
    };
    const std::vector<Step> steps = {
        {Qt::Key_PageUp, "1", "DOZUDO - contents"},  {Qt::Key_PageDown, "2", "Entering a puzzle"},
        {Qt::Key_PageDown, "3", "Solving and the rule check"},
        {Qt::Key_Home, "1", "DOZUDO - contents"},
    };
    for (const Step& st : steps) {
        QTest::keyClick(&f, st.key);
        EXPECT_EQ(s.pageNr(), st.page);
        EXPECT_EQ(s.title(), st.title);
    }
    for (int i = 0; i < 10; ++i) QTest::keyClick(&f, Qt::Key_PageDown);
    EXPECT_EQ(s.pageNr(), "9");
    EXPECT_EQ(s.title(), "Keys and mouse");
    QTest::mouseClick(f.page1Btn, Qt::LeftButton);
    EXPECT_EQ(s.pageNr(), "1");
    EXPECT_EQ(s.title(), "DOZUDO - contents");
}

TEST(HelpWindow, PageNumberBoxStepsAtOnceAndRepeatsWhileHeld) {
    Shown s(50);
    TinfoForm& f = *s.form;
    QElapsedTimer clock;
    clock.start();
    QTest::mousePress(f.pageNrDisplay, Qt::LeftButton);
    EXPECT_EQ(s.pageNr(), "2");
    EXPECT_TRUE(f.Timer1->isActive());
    EXPECT_EQ(f.Timer1->interval(), 500);
    while (s.pageNr() == "2" && clock.elapsed() < 3000) QTest::qWait(10);
    EXPECT_EQ(s.pageNr(), "3");
    EXPECT_GE(clock.elapsed(), 450);
    QTest::mouseRelease(f.pageNrDisplay, Qt::LeftButton);
    EXPECT_FALSE(f.Timer1->isActive());
    QTest::qWait(600);
    EXPECT_EQ(s.pageNr(), "3");
    // The right button steps back, and the repeat keeps that direction.
    QTest::mousePress(f.pageNrDisplay, Qt::RightButton);
    EXPECT_EQ(s.pageNr(), "2");
    EXPECT_EQ(f.pages.repeatDirection, 2);
    QTest::mouseRelease(f.pageNrDisplay, Qt::RightButton);
}

TEST(HelpWindow, OpensAtTheOwnerPlusTwentyOnPageOneAndEscCloses) {
    QWidget owner;
    owner.setGeometry(100, 80, 200, 100);
    owner.show();
    TinfoForm f(50, &owner);
    QTest::keyClick(&f, Qt::Key_PageDown);  // left on page 2 from an earlier opening
    QPoint seenAt;
    QString seenPage;
    bool seenVisible = false;
    QTimer::singleShot(50, &f, [&] {
        seenVisible = f.isVisible();
        seenAt = f.pos();
        seenPage = f.pageNrDisplay->text();
        QTest::keyClick(&f, Qt::Key_Escape);
    });
    f.openHelp(&owner);
    EXPECT_TRUE(seenVisible);
    EXPECT_EQ(seenAt, owner.pos() + QPoint(20, 20));
    EXPECT_EQ(seenPage, "1");
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace dozudo
