// The icon window driven as the main window drives it, the chooser answered through its hook.
#include "IconTestFiles.h"
#include "TestEnvironment.h"
#include "app/SharedValues.h"
#include "icons/Form1.h"
#include "icons/IconLibrary.h"
#include "icons/PictureBox.h"
#include "platform/IconPicker.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using testicons::iconColour;
using testicons::showsIcon;

namespace {

constexpr int Other = 20; // first colour of the icons in another library; emul.dll's start at 0

class IconWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        testicons::writeLibrary(emulDll, 10);
        testicons::writeLibrary(other, 4, Other);
        shared.SystemDir = env.root() + "/system";
    }
    void TearDown() override
    {
        platform::setIconPickerHook({});
        closeForm();
    }

    // What the main window's activation does: the window goes.
    void closeForm()
    {
        if (form)
            form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        img.clear();
        img2.clear();
        calls.clear();
    }
    // What the main window does: a fresh window, loaded at once; the defaults route (mode 2) or the
    // chooser route (mode 1) for `target`.
    void open(int mode, const QString& cart = "before", const QString& save = "before", qint16 target = 1)
    {
        shared.CartIconRef = "cart before";
        shared.SaveIconRef = "save before";
        shared.CartIconIndex = cart;
        shared.SaveIconIndex = save;
        shared.IconTarget = target;
        shared.IconWindowMode = mode;
        form = new Form1(shared, &img, &img2);
        form->load();
    }
    // The user answers the chooser `accepted` with `path` (empty: the file it was opened on) and `index`.
    void answerChooser(int accepted, const QString& path, int index)
    {
        platform::setIconPickerHook([=, this](QString& shownPath, int& shownIndex) {
            calls << shownPath + "," + QString::number(shownIndex);
            shownPath = path.isEmpty() ? shownPath : path;
            shownIndex = index;
            return accepted;
        });
    }
    QLineEdit* text(const char* name) const { return form->findChild<QLineEdit*>(name); }
    QImage picture(const char* name) const { return form->findChild<icons::PictureBox*>(name)->Image(); }

    TestEnvironment env;
    const QString emulDll = env.root() + "/system/emul.dll", other = env.root() + "/more icons/autres icônes.icl";
    SharedValues shared;
    QLabel img, img2;
    QPointer<Form1> form;
    QStringList calls;
};

} // namespace

TEST_F(IconWindow, DefaultsRouteBuildsBothReferencesAndPicturesUntilAnIndexIsNotANumber)
{
    // A negative index names the group with that resource ID; group IDs count from 1. An index without
    // icon keeps what the first save preview drew: the cart's icon. A text that is no number ends the
    // route there, but not the load.
    const struct {
        const char *cart, *save;
        int cartColour, saveColour; // -1: the reference is left as it was
    } cases[] = {{"2", "7", 2, 7}, {"0", "0", 0, 0},  {"9", "-2", 9, 1},  {" 3 ", "4.5", 3, 4},
                 {"2", "42", 2, 2}, {"abc", "7", -1, -1}, {"2", "x7", 2, -1}, {"", "7", -1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cart << ", " << c.save);
        open(2, c.cart, c.save);
        EXPECT_EQ(shared.CartIconRef, c.cartColour < 0 ? "cart before" : emulDll + "," + c.cart);
        EXPECT_EQ(shared.SaveIconRef, c.saveColour < 0 ? "save before" : emulDll + "," + c.save);
        EXPECT_TRUE(form->isVisible());
        if (c.saveColour >= 0) {
            EXPECT_EQ(text("txtIconIdx")->text(), c.save);
            EXPECT_EQ(text("txtIconPath")->text(), emulDll);
            EXPECT_TRUE(showsIcon(img.pixmap().toImage(), 32, iconColour(c.cartColour)));
            EXPECT_TRUE(showsIcon(img2.pixmap().toImage(), 32, iconColour(c.saveColour)));
            EXPECT_TRUE(showsIcon(picture("picSmallIcon"), 16, iconColour(c.saveColour)));
        }
        EXPECT_TRUE(calls.empty()) << "the defaults route shows no dialog";
        closeForm();
    }
}

TEST_F(IconWindow, DefaultsRouteOnTheShippedLibraryOrWithoutAnyLibrary)
{
    // Each picture is the library's icon drawn at (1,1) over the picture box's background.
    QFile::remove(emulDll);
    ASSERT_TRUE(QFile::copy(ZELVANE_BIN_DIR "/Emul.icl", emulDll));
    open(2, "2", "7");
    const icons::IconLibrary library = icons::IconLibrary::open(emulDll);
    for (const auto& [label, index] : {std::pair{&img, 2}, std::pair{&img2, 7}}) {
        const QImage shown = label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        QImage expected(shown.size(), QImage::Format_ARGB32);
        expected.fill(shown.pixelColor(0, 0));
        QPainter(&expected).drawImage(1, 1, library.decode(library.positionOf(index), 32));
        EXPECT_EQ(shown, expected) << index;
    }
    closeForm();
    // Without the library the references are stored all the same, and the pictures stay blank.
    ASSERT_TRUE(QFile::remove(emulDll));
    open(2, "2", "7");
    EXPECT_EQ(shared.CartIconRef + " " + shared.SaveIconRef, emulDll + ",2 " + emulDll + ",7");
    const QImage blank = img.pixmap().toImage();
    EXPECT_FALSE(blank.isNull());
    EXPECT_EQ(blank.pixelColor(5, 5), blank.pixelColor(0, 0));
    EXPECT_EQ(img2.pixmap().toImage(), blank);
}

TEST_F(IconWindow, ChooserRouteReplacesTheTargetsReferenceAndPictureOnlyWhenAnIconIsAccepted)
{
    // A CIFS share mounted with mapchars shows '*' and ':' as private-use characters.
    const QString mapped = env.root() + "/share/a" + QChar(0xF02A) + "b" + QChar(0xF03A) + ".icl";
    testicons::writeLibrary(mapped, 4, Other);
    const struct {
        const char* what;
        qint16 target;
        int accepted;
        QString path; // picked by the user; empty: the library the chooser was opened on
        int index;
        int colour; // of the target's new picture, or -1: nothing stored, nothing drawn
    } cases[] = {
        {"cart accepted", 1, 1, QString(), 5, 5},
        {"save accepted", 2, 1, QString(), 5, 5},
        {"another file", 2, 1, other, 3, Other + 3},
        {"a file named with private-use characters", 1, 1, mapped, 2, Other + 2},
        {"cancelled", 1, 0, QString(), 5, -1},
        {"an index without icon", 1, 1, QString(), 10, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        answerChooser(c.accepted, c.path, c.index);
        open(1, "before", "before", c.target);
        EXPECT_EQ(calls, QStringList(emulDll + ",0")) << "opened on the library at index 0";
        const QString before = c.target == 1 ? "cart before" : "save before";
        const QString file = c.path.isEmpty() ? emulDll : c.path;
        EXPECT_EQ(c.target == 1 ? shared.CartIconRef : shared.SaveIconRef,
                  c.colour < 0 ? before : file + "," + QString::number(c.index));
        EXPECT_EQ(c.target == 1 ? shared.SaveIconRef : shared.CartIconRef, c.target == 1 ? "save before" : "cart before");
        const QLabel& chosen = c.target == 1 ? img : img2;
        EXPECT_TRUE(c.colour < 0 ? chosen.pixmap().isNull() : showsIcon(chosen.pixmap().toImage(), 32, iconColour(c.colour)));
        EXPECT_TRUE((c.target == 1 ? img2 : img).pixmap().isNull());
        EXPECT_TRUE(!c.accepted || text("txtIconIdx")->text() == QString::number(c.index));
        EXPECT_EQ(form->y(), -5000 / 15) << "out of sight";
        closeForm();
    }
}

TEST_F(IconWindow, PathsOfMoreThan260CharactersNeverReachTheChooser)
{
    // "/emul.dll" is 9 characters: a System folder of 251 gives a path of exactly 260.
    for (const int length : {251, 252}) {
        shared.SystemDir = "/" + QString(length - 1, 's');
        answerChooser(1, emulDll, 4);
        open(1);
        EXPECT_EQ(calls, length == 251 ? QStringList(shared.SystemDir + "/emul.dll,0") : QStringList());
        EXPECT_EQ(shared.CartIconRef, length == 251 ? emulDll + ",4" : "cart before");
        EXPECT_TRUE(form->isVisible());
        closeForm();
    }
}

TEST_F(IconWindow, EnterInThePathBoxRunsTheChooserAloneAndEveryShowIsAFreshWindow)
{
    open(2, "2", "7");
    EXPECT_TRUE(form->testAttribute(Qt::WA_DontShowOnScreen));
    const QImage cartPicture = img.pixmap().toImage(), savePicture = img2.pixmap().toImage();
    answerChooser(1, QString(), 1);
    text("txtIconPath")->setText(other);
    text("txtIconIdx")->setText("3");
    QTest::keyClick(text("txtIconPath"), Qt::Key_Return);
    EXPECT_EQ(calls, QStringList(other + ",3"));
    EXPECT_EQ(text("txtIconIdx")->text(), "1");
    EXPECT_TRUE(showsIcon(picture("picLargeIcon"), 32, iconColour(Other + 1)));
    EXPECT_EQ(shared.CartIconRef + " " + shared.SaveIconRef, emulDll + ",2 " + emulDll + ",7");
    EXPECT_EQ(img.pixmap().toImage(), cartPicture);
    EXPECT_EQ(img2.pixmap().toImage(), savePicture);
    QTest::keyClick(text("txtIconPath"), Qt::Key_A);
    EXPECT_EQ(calls.size(), 1) << "other keys only type";

    closeForm();
    EXPECT_TRUE(form.isNull());
    answerChooser(0, QString(), 0);
    open(1);
    EXPECT_EQ(text("txtIconIdx")->text(), "0");
    EXPECT_EQ(text("txtIconPath")->text(), emulDll);
}

TEST_F(IconWindow, UnloadAskedWhileTheChooserIsUpWaitsForTheWorkThatOpenedIt)
{
    // The main window's activation can arrive from inside the chooser's event loop.
    platform::setIconPickerHook([this](QString&, int& index) {
        form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        index = 4;
        return 1;
    });
    const std::pair<const char*, std::function<void()>> openings[] = {
        {"Enter in the path box", [this] { open(2, "2", "7", 2); QTest::keyClick(text("txtIconPath"), Qt::Key_Return); }},
        {"the chooser route", [this] { open(1, "2", "7", 2); }},
    };
    for (const auto& [how, openChooser] : openings) {
        SCOPED_TRACE(how);
        openChooser();
        EXPECT_FALSE(form.isNull()) << "the work that opened the chooser ran on a live window";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(form.isNull()) << "the window went once that work was over";
    }
    EXPECT_EQ(shared.SaveIconRef, emulDll + ",4");
}
