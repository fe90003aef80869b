// The icon window driven as the main window drives it, the chooser answered through its hook.
#include "IconTestFiles.h"
#include "TestEnvironment.h"
#include "app/SharedValues.h"
#include "icons/Form1.h"
#include "icons/IconLibrary.h"
#include "icons/PictureBox.h"
#include "platform/IconPicker.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using testicons::shown;

namespace {

class IconWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        testicons::writeLibrary(env.root() + "/system/emul.dll", 10);
        testicons::writeLibrary(env.root() + "/other.icl", 4, 20);
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
    // What the main window does: a fresh window, loaded at once, on the defaults route (mode 2) or
    // on the chooser route (mode 1) for `target`.
    void open(int mode, const QString& cart = "2", const QString& save = "7", qint16 target = 1)
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
            calls << QString(shownPath).replace(env.root() + "/", "") + "," + QString::number(shownIndex);
            shownPath = path.isEmpty() ? shownPath : env.root() + "/" + path;
            shownIndex = index;
            return accepted;
        });
    }
    QLineEdit* text(const char* name) const { return form->findChild<QLineEdit*>(name); }
    QImage picture(const char* name) const { return form->findChild<icons::PictureBox*>(name)->Image(); }
    // Both references, the main window's two pictures, the chooser's calls; the test folder left out.
    QString state() const
    {
        return QString("%1 %2 | %3, %4 | %5")
            .arg(shared.CartIconRef, shared.SaveIconRef, shown(img.pixmap().toImage(), 32),
                 shown(img2.pixmap().toImage(), 32), calls.join(' '))
            .replace(env.root() + "/", "");
    }

    TestEnvironment env;
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
    // route there, but not the load. The defaults route shows no dialog.
    const char* const cases[][3] = {
        {"2", "7", "system/emul.dll,2 system/emul.dll,7 | icon 2, icon 7 | "},
        {"0", "0", "system/emul.dll,0 system/emul.dll,0 | icon 0, icon 0 | "},
        {"9", "-2", "system/emul.dll,9 system/emul.dll,-2 | icon 9, icon 1 | "},
        {" 3 ", "4.5", "system/emul.dll, 3  system/emul.dll,4.5 | icon 3, icon 4 | "},
        {"2", "42", "system/emul.dll,2 system/emul.dll,42 | icon 2, icon 2 | "},
        {"abc", "7", "cart before save before | none, none | "},
        {"2", "x7", "system/emul.dll,2 save before | icon 2, none | "},
        {"", "7", "cart before save before | none, none | "},
    };
    for (const auto& [cart, save, expected] : cases) {
        open(2, cart, save);
        EXPECT_EQ(state(), expected);
        EXPECT_TRUE(form->isVisible());
        if (QString(expected).contains(save)) {
            EXPECT_EQ(text("txtIconIdx")->text() + " " + text("txtIconPath")->text(), save + (" " + shared.SystemDir) + "/emul.dll");
            EXPECT_EQ(shown(picture("picSmallIcon"), 16), shown(img2.pixmap().toImage(), 32));
        }
        closeForm();
    }
}

TEST_F(IconWindow, DefaultsRouteOnTheShippedLibraryOrWithoutAnyLibrary)
{
    const QString emulDll = shared.SystemDir + "/emul.dll";
    QFile::remove(emulDll);
    ASSERT_TRUE(QFile::copy(ZELVANE_BIN_DIR "/Emul.icl", emulDll));
    open(2);
    // Each picture is the library's icon drawn at (1,1) over the picture box's background.
    const icons::IconLibrary library = icons::IconLibrary::open(emulDll);
    for (const auto& [label, index] : {std::pair{&img, 2}, std::pair{&img2, 7}}) {
        const QImage picture = label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        QImage expected(picture.size(), QImage::Format_ARGB32);
        expected.fill(picture.pixelColor(0, 0));
        QPainter(&expected).drawImage(1, 1, library.decode(library.positionOf(index), 32));
        EXPECT_EQ(picture, expected) << index;
    }
    closeForm();
    // Without the library the references are stored all the same, and the pictures stay blank.
    ASSERT_TRUE(QFile::remove(emulDll));
    open(2);
    EXPECT_EQ(state(), "system/emul.dll,2 system/emul.dll,7 | other, other | ");
    EXPECT_EQ(img.pixmap().toImage().pixelColor(5, 5), img.pixmap().toImage().pixelColor(0, 0));
    EXPECT_EQ(img2.pixmap().toImage(), img.pixmap().toImage());
}

TEST_F(IconWindow, ChooserRouteReplacesTheTargetsReferenceAndPictureOnlyWhenAnIconIsAccepted)
{
    // A CIFS share mounted with mapchars shows '*' and ':' as private-use characters.
    const QString mapped = QString("share/a") + QChar(0xF02A) + "b" + QChar(0xF03A) + ".icl";
    testicons::writeLibrary(env.root() + "/" + mapped, 4, 20);
    const struct {
        qint16 target;
        int accepted;
        QString path; // picked by the user; empty: the library the chooser was opened on
        int index;
        QString expected;
    } cases[] = {
        {1, 1, "", 5, "system/emul.dll,5 save before | icon 5, none | system/emul.dll,0"},
        {2, 1, "", 5, "cart before system/emul.dll,5 | none, icon 5 | system/emul.dll,0"},
        {2, 1, "other.icl", 3, "cart before other.icl,3 | none, icon 23 | system/emul.dll,0"},
        {1, 1, mapped, 2, mapped + ",2 save before | icon 22, none | system/emul.dll,0"},
        {1, 0, "", 5, "cart before save before | none, none | system/emul.dll,0"}, // cancelled
        {1, 1, "", 10, "cart before save before | none, none | system/emul.dll,0"}, // no such icon
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        answerChooser(c.accepted, c.path, c.index);
        open(1, "2", "7", c.target);
        EXPECT_EQ(state(), c.expected);
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
        answerChooser(1, "system/emul.dll", 4);
        open(1);
        EXPECT_EQ(state(), length == 251 ? "system/emul.dll,4 save before | icon 4, none | " + shared.SystemDir + "/emul.dll,0"
                                         : "cart before save before | none, none | ");
        EXPECT_TRUE(form->isVisible());
        closeForm();
    }
}

TEST_F(IconWindow, EnterInThePathBoxRunsTheChooserAloneAndEveryShowIsAFreshWindow)
{
    open(2);
    EXPECT_TRUE(form->testAttribute(Qt::WA_DontShowOnScreen));
    answerChooser(1, "", 1);
    text("txtIconPath")->setText(env.root() + "/other.icl");
    text("txtIconIdx")->setText("3");
    QTest::keyClick(text("txtIconPath"), Qt::Key_Return);
    QTest::keyClick(text("txtIconPath"), Qt::Key_A); // other keys only type
    EXPECT_EQ(state(), "system/emul.dll,2 system/emul.dll,7 | icon 2, icon 7 | other.icl,3");
    EXPECT_EQ(text("txtIconIdx")->text() + " " + shown(picture("picLargeIcon"), 32), "1 icon 21");
    closeForm();
    EXPECT_TRUE(form.isNull());
    answerChooser(0, "", 0);
    open(1);
    EXPECT_EQ(text("txtIconIdx")->text() + " " + text("txtIconPath")->text(), "0 " + shared.SystemDir + "/emul.dll");
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
    EXPECT_EQ(shared.SaveIconRef, shared.SystemDir + "/emul.dll,4");
}
