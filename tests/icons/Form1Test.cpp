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
#include <QEvent>
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
        testicons::writeLibrary(systemDir + "/emul.dll", 10, Catalogue);
        shared.SystemDir = systemDir;
        resetReferences();
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
    }
    void resetReferences()
    {
        shared.CartIconRef = "cart before";
        shared.SaveIconRef = "save before";
        img.clear();
        img2.clear();
        calls.clear();
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
    // A negative index names the group with that resource ID; group IDs count from 1. An index
    // without icon keeps what the first save preview drew: the cart's icon.
    const struct {
        const char* cart;
        const char* save;
        int cartColour;
        int saveColour;
    } cases[] = {{"2", "7", 2, 7}, {"0", "0", 0, 0}, {"9", "-2", 9, 1}, {" 3 ", "4.5", 3, 4}, {"2", "42", 2, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cart << ", " << c.save);
        openDefaults(c.cart, c.save);
        EXPECT_EQ(shared.CartIconRef, emulDll() + "," + c.cart);
        EXPECT_EQ(shared.SaveIconRef, emulDll() + "," + c.save);
        EXPECT_EQ(text("txtIconIdx")->text(), c.save);
        EXPECT_EQ(text("txtIconPath")->text(), emulDll());
        EXPECT_TRUE(showsIcon(img.pixmap().toImage(), 32, iconColour(c.cartColour)));
        EXPECT_TRUE(showsIcon(img2.pixmap().toImage(), 32, iconColour(c.saveColour)));
        EXPECT_TRUE(showsIcon(picture("picSmallIcon"), 16, iconColour(c.saveColour)));
        EXPECT_TRUE(calls.empty()) << "the defaults route shows no dialog";
        closeForm();
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
        SCOPED_TRACE(testing::Message() << c.cart << ", " << c.save);
        resetReferences();
        openDefaults(c.cart, c.save);
        EXPECT_EQ(shared.CartIconRef, c.cartWritten ? emulDll() + "," + c.cart : "cart before");
        EXPECT_EQ(shared.SaveIconRef, "save before");
        EXPECT_TRUE(form->isVisible()) << "the load goes on and shows the window";
        closeForm();
    }
}

TEST_F(IconWindow, ChooserRouteReplacesTheTargetsReferenceAndPictureOnlyWhenAnIconIsAccepted)
{
    const QString other = env.root() + "/more icons/autres icônes.icl";
    testicons::writeLibrary(other, 4, Other);
    // A CIFS share mounted with mapchars shows '*' and ':' as private-use characters.
    const QString mapped = env.root() + "/share/a" + QChar(0xF02A) + "b" + QChar(0xF03A) + ".icl";
    testicons::writeLibrary(mapped, 4, Other);
    constexpr int Unchanged = -1;
    const struct {
        const char* what;
        qint16 target;
        int accepted;
        QString path; // picked by the user; empty: the library the chooser was opened on
        int index;
        int colour; // of the target's new picture, or Unchanged: nothing stored, nothing drawn
    } cases[] = {
        {"cart accepted", 1, 1, QString(), 5, Catalogue + 5},
        {"save accepted", 2, 1, QString(), 5, Catalogue + 5},
        {"another file", 2, 1, other, 3, Other + 3},
        {"a file named with private-use characters", 1, 1, mapped, 2, Other + 2},
        {"cancelled", 1, 0, QString(), 5, Unchanged},
        {"an index without icon", 1, 1, QString(), 10, Unchanged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        resetReferences();
        openChooser(c.target, c.accepted, c.path, c.index);

        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].path, emulDll()) << "opened on the library at index 0";
        EXPECT_EQ(calls[0].index, 0);
        const QString chosenFile = c.path.isEmpty() ? emulDll() : c.path;
        const QString& chosenRef = c.target == 1 ? shared.CartIconRef : shared.SaveIconRef;
        const QString& otherRef = c.target == 1 ? shared.SaveIconRef : shared.CartIconRef;
        const QLabel& chosen = c.target == 1 ? img : img2;
        const QLabel& notChosen = c.target == 1 ? img2 : img;
        if (c.colour == Unchanged) {
            EXPECT_EQ(chosenRef, c.target == 1 ? "cart before" : "save before");
            EXPECT_TRUE(chosen.pixmap().isNull());
        } else {
            EXPECT_EQ(chosenRef, chosenFile + "," + QString::number(c.index));
            EXPECT_TRUE(showsIcon(chosen.pixmap().toImage(), 32, iconColour(c.colour)));
        }
        EXPECT_EQ(otherRef, c.target == 1 ? "save before" : "cart before");
        EXPECT_TRUE(notChosen.pixmap().isNull());
        if (c.accepted) {
            EXPECT_EQ(text("txtIconIdx")->text(), QString::number(c.index));
        }
        EXPECT_EQ(form->y(), -5000 / 15) << "out of sight";
        closeForm();
    }
}

TEST_F(IconWindow, PathsOfMoreThan260CharactersNeverReachTheChooser)
{
    // "/emul.dll" is 9 characters: a System folder of 251 gives a path of exactly 260.
    for (const int length : {251, 252}) {
        resetReferences();
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
        closeForm();
    }
}

TEST_F(IconWindow, EnterInThePathBoxRunsTheChooserAlone)
{
    openDefaults("2", "7");
    const QImage cartPicture = img.pixmap().toImage();
    const QImage savePicture = img2.pixmap().toImage();
    const QString other = env.root() + "/other.icl";
    testicons::writeLibrary(other, 4, Other);

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
    closeForm();
    EXPECT_TRUE(form.isNull());

    openChooser(1, 0, QString(), 0);
    EXPECT_EQ(text("txtIconIdx")->text(), "0");
    EXPECT_EQ(text("txtIconPath")->text(), emulDll());
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
        {"Enter in the path box",
         [this] {
             openDefaults("2", "7");
             QTest::keyClick(text("txtIconPath"), Qt::Key_Return);
         }},
        {"the chooser route", [this] { open(1); }},
    };
    shared.IconTarget = 2;
    for (const auto& [how, openChooser] : openings) {
        SCOPED_TRACE(how);
        openChooser();
        EXPECT_FALSE(form.isNull()) << "the work that opened the chooser ran on a live window";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(form.isNull()) << "the window went once that work was over";
    }
    EXPECT_EQ(shared.SaveIconRef, emulDll() + ",4");
}
