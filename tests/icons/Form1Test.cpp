// The icon window driven as the main window drives it, the chooser answered through its hook.
#include "IconWindowFixture.h"
#include "TestEnvironment.h"
#include "app/SharedValues.h"
#include "icons/Form1.h"
#include "icons/IconLibrary.h"
#include "icons/PictureBox.h"
#include "platform/IconPicker.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using iconwindow::iconColour;
using iconwindow::showsIcon;

namespace {

constexpr int Catalogue = 0; // first colour of the icons in emul.dll
constexpr int Other = 20;    // first colour of the icons in another library

struct PickerCall {
    QString path;
    int index;
};

class IconWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(systemDir));
        iconwindow::writeLibrary(systemDir + "/emul.dll", 10, Catalogue);
        shared.SystemDir = systemDir;
        shared.CartIconRef = "cart before";
        shared.SaveIconRef = "save before";
    }
    void TearDown() override
    {
        platform::setIconPickerHook({});
        if (form)
            form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // What the main window does: a fresh window, loaded at once.
    void open(int mode)
    {
        shared.IconWindowMode = mode;
        form = new Form1(shared, &img, &img2);
        form->load();
    }
    void openDefaults(const QString& cart, const QString& save)
    {
        shared.CartIconIndex = cart;
        shared.SaveIconIndex = save;
        open(2);
    }
    // The chooser route for `target`; the user answers `accepted` with `path` (empty: the file
    // it was opened on) and `index`.
    void openChooser(qint16 target, int accepted, const QString& path, int index)
    {
        answerChooser(accepted, path, index);
        shared.IconTarget = target;
        open(1);
    }
    void answerChooser(int accepted, const QString& path, int index)
    {
        platform::setIconPickerHook([=, this](QString& shownPath, int& shownIndex) {
            calls.push_back({shownPath, shownIndex});
            if (!path.isEmpty())
                shownPath = path;
            shownIndex = index;
            return accepted;
        });
    }

    QLineEdit* text(const char* name) const { return form->findChild<QLineEdit*>(name); }
    QImage picture(const char* name) const
    {
        return form->findChild<icons::PictureBox*>(name)->Image();
    }
    QString emulDll() const { return systemDir + "/emul.dll"; }

    TestEnvironment env;
    const QString systemDir = env.root() + "/system";
    SharedValues shared;
    QLabel img;
    QLabel img2;
    QPointer<Form1> form;
    std::vector<PickerCall> calls;
};

} // namespace

TEST_F(IconWindow, DefaultsRouteBuildsBothReferencesAndPictures)
{
    // A negative index names the group with that resource ID; group IDs count from 1.
    const struct {
        const char* cart;
        const char* save;
        int cartColour;
        int saveColour;
    } cases[] = {{"2", "7", 2, 7}, {"0", "0", 0, 0}, {"9", "-2", 9, 1}, {" 3 ", "4.5", 3, 4}};
    for (const auto& c : cases) {
        openDefaults(c.cart, c.save);
        EXPECT_EQ(shared.CartIconRef, emulDll() + "," + c.cart);
        EXPECT_EQ(shared.SaveIconRef, emulDll() + "," + c.save);
        EXPECT_EQ(text("txtIconIdx")->text(), c.save);
        EXPECT_EQ(text("txtIconPath")->text(), emulDll());
        EXPECT_TRUE(showsIcon(img.pixmap().toImage(), 32, iconColour(c.cartColour))) << c.cart;
        EXPECT_TRUE(showsIcon(img2.pixmap().toImage(), 32, iconColour(c.saveColour))) << c.save;
        EXPECT_TRUE(showsIcon(picture("picSmallIcon"), 16, iconColour(c.saveColour))) << c.save;
        EXPECT_TRUE(calls.empty()) << "the defaults route shows no dialog";
        form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(IconWindow, DefaultsRouteOnTheShippedIconLibrary)
{
    const QString shipped = ZELVANE_BIN_DIR "/Emul.icl";
    ASSERT_TRUE(QFile::exists(shipped));
    QFile::remove(emulDll());
    ASSERT_TRUE(QFile::copy(shipped, emulDll()));
    openDefaults("2", "7");
    EXPECT_TRUE(shared.CartIconRef.endsWith(",2"));
    EXPECT_TRUE(shared.SaveIconRef.endsWith(",7"));
    EXPECT_EQ(text("txtIconIdx")->text(), "7");

    // Each picture is the library's icon drawn at (1,1) over the picture box's background.
    const icons::IconLibrary library = icons::IconLibrary::open(emulDll());
    for (const auto& [label, index] : {std::pair{&img, 2}, std::pair{&img2, 7}}) {
        const QImage shown = label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        QImage expected(shown.size(), QImage::Format_ARGB32);
        expected.fill(shown.pixelColor(0, 0));
        QPainter(&expected).drawImage(1, 1, library.decode(library.positionOf(index), 32));
        EXPECT_EQ(shown, expected) << index;
    }
}

TEST_F(IconWindow, DefaultsRouteStoresTheReferenceOfAnIndexWithoutIcon)
{
    openDefaults("2", "42");
    EXPECT_EQ(shared.CartIconRef, emulDll() + ",2");
    EXPECT_EQ(shared.SaveIconRef, emulDll() + ",42");
    // The save picture is what the first save preview drew: the cart's icon shown before it.
    EXPECT_TRUE(showsIcon(img2.pixmap().toImage(), 32, iconColour(2)));
}

TEST_F(IconWindow, DefaultsRouteWithoutLibraryStoresReferencesAndBlankPictures)
{
    ASSERT_TRUE(QFile::remove(emulDll()));
    openDefaults("2", "7");
    EXPECT_EQ(shared.CartIconRef, emulDll() + ",2");
    EXPECT_EQ(shared.SaveIconRef, emulDll() + ",7");
    const QImage blank = img.pixmap().toImage();
    EXPECT_FALSE(blank.isNull());
    EXPECT_EQ(blank.pixelColor(5, 5), blank.pixelColor(0, 0));
    EXPECT_EQ(img2.pixmap().toImage(), blank);
}

TEST_F(IconWindow, NonNumericIndexEndsTheRouteButNotTheLoad)
{
    const struct {
        const char* cart;
        const char* save;
        bool cartWritten;
    } cases[] = {{"abc", "7", false}, {"2", "x7", true}, {"", "7", false}};
    for (const auto& c : cases) {
        shared.CartIconRef = "cart before";
        shared.SaveIconRef = "save before";
        openDefaults(c.cart, c.save);
        EXPECT_EQ(shared.CartIconRef, c.cartWritten ? emulDll() + "," + c.cart : "cart before")
            << c.cart;
        EXPECT_EQ(shared.SaveIconRef, "save before") << c.save;
        EXPECT_TRUE(form->isVisible()) << "the load goes on and shows the window";
        form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(IconWindow, ChooserRouteAcceptedReplacesTheTargetsReferenceAndPictureOnly)
{
    for (const qint16 target : {1, 2}) {
        shared.CartIconRef = "cart before";
        shared.SaveIconRef = "save before";
        img.clear();
        img2.clear();
        calls.clear();
        openChooser(target, 1, QString(), 5);

        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].path, emulDll()) << "opened on the library at index 0";
        EXPECT_EQ(calls[0].index, 0);
        QLabel& chosen = target == 1 ? img : img2;
        QLabel& other = target == 1 ? img2 : img;
        EXPECT_EQ(target == 1 ? shared.CartIconRef : shared.SaveIconRef, emulDll() + ",5");
        EXPECT_EQ(target == 1 ? shared.SaveIconRef : shared.CartIconRef,
                  target == 1 ? "save before" : "cart before");
        EXPECT_TRUE(showsIcon(chosen.pixmap().toImage(), 32, iconColour(5)));
        EXPECT_TRUE(other.pixmap().isNull());
        EXPECT_EQ(form->y(), -5000 / 15) << "out of sight";
        form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(IconWindow, ChooserRouteCancelledChangesNothing)
{
    openDefaults("2", "7");
    const QImage cartPicture = img.pixmap().toImage();
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    openChooser(1, 0, QString(), 5);
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(shared.CartIconRef, emulDll() + ",2");
    EXPECT_EQ(shared.SaveIconRef, emulDll() + ",7");
    EXPECT_EQ(img.pixmap().toImage(), cartPicture);
}

TEST_F(IconWindow, ChooserRouteWithAnotherFile)
{
    const QString other = env.root() + "/more icons/autres icônes.icl";
    iconwindow::writeLibrary(other, 4, Other);
    openChooser(2, 1, other, 3);
    EXPECT_EQ(shared.SaveIconRef, other + ",3");
    EXPECT_EQ(shared.CartIconRef, "cart before");
    EXPECT_TRUE(showsIcon(img2.pixmap().toImage(), 32, iconColour(Other + 3)));
}

TEST_F(IconWindow, ChooserRouteAcceptingAnIndexWithoutIconStoresNothing)
{
    openChooser(1, 1, QString(), 10);
    EXPECT_EQ(shared.CartIconRef, "cart before");
    EXPECT_TRUE(img.pixmap().isNull());
    EXPECT_EQ(text("txtIconIdx")->text(), "10");
}

TEST_F(IconWindow, PathsOfMoreThan260CharactersNeverReachTheChooser)
{
    // "/emul.dll" is 9 characters: a System folder of 251 gives a path of exactly 260.
    for (const int length : {251, 252}) {
        calls.clear();
        shared.SystemDir = "/" + QString(length - 1, 's');
        openChooser(1, 1, systemDir + "/emul.dll", 4);
        if (length == 251) {
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_EQ(calls[0].path, shared.SystemDir + "/emul.dll");
            EXPECT_EQ(shared.CartIconRef, emulDll() + ",4");
        } else {
            EXPECT_TRUE(calls.empty());
        }
        EXPECT_TRUE(form->isVisible());
        shared.CartIconRef = "cart before";
        form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(IconWindow, EnterInThePathBoxRunsTheChooserAlone)
{
    openDefaults("2", "7");
    const QImage cartPicture = img.pixmap().toImage();
    const QImage savePicture = img2.pixmap().toImage();
    const QString other = env.root() + "/other.icl";
    iconwindow::writeLibrary(other, 4, Other);

    answerChooser(1, QString(), 1);
    text("txtIconPath")->setText(other);
    text("txtIconIdx")->setText("3");
    QTest::keyClick(text("txtIconPath"), Qt::Key_Return);

    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].path, other);
    EXPECT_EQ(calls[0].index, 3);
    EXPECT_EQ(text("txtIconIdx")->text(), "1");
    EXPECT_TRUE(showsIcon(picture("picLargeIcon"), 32, iconColour(Other + 1)));
    EXPECT_EQ(shared.CartIconRef, emulDll() + ",2");
    EXPECT_EQ(shared.SaveIconRef, emulDll() + ",7");
    EXPECT_EQ(img.pixmap().toImage(), cartPicture);
    EXPECT_EQ(img2.pixmap().toImage(), savePicture);

    QTest::keyClick(text("txtIconPath"), Qt::Key_A);
    EXPECT_EQ(calls.size(), 1u) << "other keys only type";
}

TEST_F(IconWindow, ClosingUnloadsAndEveryShowIsAFreshWindow)
{
    openDefaults("2", "7");
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->testAttribute(Qt::WA_DontShowOnScreen));
    text("txtIconPath")->setText("typed");
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());

    openChooser(1, 0, QString(), 0);
    EXPECT_EQ(text("txtIconIdx")->text(), "0");
    EXPECT_EQ(text("txtIconPath")->text(), emulDll());
}
