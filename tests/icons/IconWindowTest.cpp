// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon window driven as the main window drives it (the chooser answered through its hook), and
// the icon chooser dialog driven through its widgets behind PickIconDlg.
#include "IconTestFiles.h"
#include "TestEnvironment.h"
#include "wizard/SharedValues.h"
#include "wizard/Form1.h"
#include "icons/widgets/IconChooserDialog.h"
#include "wizard/PictureBox.h"
#include "platform/widgets/IconPicker.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using icons::IconChooserDialog;
using testicons::shown;

namespace {

// The System folder's emul.dll of 12 icons (colours 0 to 11) and other.icl of 4 (colours 20 to 23).
class IconWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        testicons::writeLibrary(library, 12);
        testicons::writeLibrary(env.root() + "/other.icl", 4, 20);
        shared.SystemDir = env.root() + "/system";
    }
    void TearDown() override { platform::setIconPickerHook({}); closeForm(); }
    // What the main window's activation does: the window goes.
    void closeForm()
    {
        if (form)
            form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        img.clear(); img2.clear(); calls.clear();
    }
    // What the main window does: the last window goes, a fresh one is loaded at once, on the defaults
    // route (mode 2) or on the chooser route (mode 1) for `target`.
    void open(int mode, const QString& cart = "2", const QString& save = "7", qint16 target = 1)
    {
        closeForm();
        shared.CartIconRef = "cart before";
        shared.SaveIconRef = "save before";
        shared.CartIconIndex = cart;
        shared.SaveIconIndex = save;
        shared.IconTarget = target;
        shared.IconWindowMode = mode;
        form = new Form1(shared, &img, &img2);
        form->load();
    }
    // The user accepts icon `index` of `path` (empty: the file the chooser was opened on); with `unload`,
    // the main window's activation arrives first, from inside the chooser's event loop.
    void answerChooser(const QString& path, int index, bool unload = false)
    {
        platform::setIconPickerHook([=, this](QString& shownPath, int& shownIndex) {
            calls << local(shownPath) + "," + QString::number(shownIndex);
            if (unload) {
                form->unload();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            shownPath = path.isEmpty() ? shownPath : env.root() + "/" + path;
            shownIndex = index;
            return 1;
        });
    }
    QString local(QString text) const { return text.replace(env.root() + "/", ""); }
    QLineEdit* field(const char* name) const { return form->findChild<QLineEdit*>(name); }
    // Both references, the main window's two pictures, the icon window's index and path boxes and its
    // large picture, the chooser's calls.
    std::string state() const
    {
        return local(QString("%1 %2 | %3, %4 | %5 %6 %7 | %8").arg(shared.CartIconRef, shared.SaveIconRef, shown(img.pixmap().toImage(), 32),
                     shown(img2.pixmap().toImage(), 32), field("txtIconIdx")->text(), field("txtIconPath")->text(),
                     shown(form->findChild<icons::PictureBox*>("picLargeIcon")->Image(), 32), calls.join(' '))).toStdString();
    }
    // What the user sees in the chooser (the path field when it differs from the file shown) and what it answers.
    static QListView* view(QDialog& dialog) { return dialog.findChild<QListView*>("icons"); }
    static QLineEdit* pathField(QDialog& dialog) { return dialog.findChild<QLineEdit*>("path"); }
    std::string state(IconChooserDialog& dialog) const
    {
        const QLabel* message = dialog.findChild<QLabel*>("message");
        const QString typed = pathField(dialog)->text();
        const bool ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
        return local(QString("%1 icons of %2 at %3%4%5%6%7").arg(view(dialog)->model()->rowCount()).arg(dialog.path())
            .arg(dialog.index()).arg(typed == dialog.path() ? "" : ", typed " + typed).arg(ok ? ", OK" : "")
            .arg(message->isHidden() ? "" : ", says " + message->text().section('.', 0, 0))
            .arg(dialog.isVisible() ? "" : dialog.result() == QDialog::Accepted ? ", accepted" : ", rejected")).toStdString();
    }

    TestEnvironment env;
    const QString library = env.root() + "/system/emul.dll";
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
        {"9", "-2", "system/emul.dll,9 system/emul.dll,-2 | icon 9, icon 1 | -2 system/emul.dll icon 1 | "},
        {" 3 ", "4.5", "system/emul.dll, 3  system/emul.dll,4.5 | icon 3, icon 4 | 4.5 system/emul.dll icon 4 | "},
        {"2", "42", "system/emul.dll,2 system/emul.dll,42 | icon 2, icon 2 | 42 system/emul.dll icon 2 | "},
        {"abc", "7", "cart before save before | none, none | abc system/emul.dll icon 0 | "},
        {"2", "x7", "system/emul.dll,2 save before | icon 2, none | x7 system/emul.dll icon 2 | "},
    };
    for (const auto& [cart, save, expected] : cases) {
        open(2, cart, save);
        EXPECT_EQ(state(), expected);
        EXPECT_TRUE(form->isVisible());
    }
    // Without the library the references are stored all the same, and the pictures stay blank.
    ASSERT_TRUE(QFile::remove(library));
    open(2);
    EXPECT_EQ(state(), "system/emul.dll,2 system/emul.dll,7 | other, other | 7 system/emul.dll other | ");
    EXPECT_TRUE(img2.pixmap().toImage() == img.pixmap().toImage() && img.pixmap().toImage().pixelColor(5, 5) == img.pixmap().toImage().pixelColor(0, 0));
}

TEST_F(IconWindow, ChooserRouteReplacesTheTargetsReferenceAndPictureOnlyWhenAnIconIsAccepted)
{
    // The target, the file and index the user accepts, what comes of it. The chooser's path buffer keeps
    // the characters of any path (PathsPaddedTo260CharactersSurviveTheRoundTripThroughTheWidenedBuffer).
    const std::tuple<qint16, QString, int, std::string> cases[] = {
        {1, "", 5, "system/emul.dll,5 save before | icon 5, none | 5 system/emul.dll icon 5 | system/emul.dll,0"},
        {2, "other.icl", 3, "cart before other.icl,3 | none, icon 23 | 3 other.icl icon 23 | system/emul.dll,0"},
        {1, "", 12, "cart before save before | none, none | 12 system/emul.dll other | system/emul.dll,0"}, // no such icon
    };
    for (const auto& [target, path, index, expected] : cases) {
        answerChooser(path, index);
        open(1, "2", "7", target);
        EXPECT_EQ(state(), expected);
    }
    // Enter in the path box runs the chooser alone on what the boxes hold; other keys only type. An unload
    // asked meanwhile waits for that work (IconWindowLifecycle shows it on the chooser route in real time).
    open(2);
    answerChooser("other.icl", 1, true);
    field("txtIconPath")->setText(env.root() + "/other.ic");
    field("txtIconIdx")->setText("3");
    QTest::keyClick(field("txtIconPath"), Qt::Key_L);
    QTest::keyClick(field("txtIconPath"), Qt::Key_Return);
    ASSERT_FALSE(form.isNull()) << "the work that opened the chooser ran on a live window";
    EXPECT_EQ(state(), "system/emul.dll,2 system/emul.dll,7 | icon 2, icon 7 | 1 other.icl icon 21 | other.icl,3");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull()) << "the window went once that work was over";
    // "/emul.dll" is 9 characters: a System folder of 251 gives a path of exactly 260, one more never
    // reaches the chooser (the load goes on, as after an index that is no number on the defaults route).
    answerChooser("system/emul.dll", 4);
    for (const int length : {251, 252}) {
        shared.SystemDir = "/" + QString(length - 1, 's');
        open(1);
        const QString path = shared.SystemDir + "/emul.dll";
        EXPECT_EQ(state(), (length == 251 ? "system/emul.dll,4 save before | icon 4, none | 4 system/emul.dll icon 4 | " + path + ",0"
                                          : "cart before save before | none, none | 0 " + path + " other | ").toStdString());
    }
}

TEST_F(IconWindow, ChooserShowsEveryIconAndAcceptsOnlyAnIconOfAFileThatFits)
{
    // The start index names an icon by position, by resource ID when negative, else the first icon.
    for (const auto& [index, selected] : std::initializer_list<std::pair<int, int>>{{11, 11}, {-3, 2}, {12, 0}, {-40, 0}}) {
        IconChooserDialog dialog(library, index);
        EXPECT_EQ(state(dialog), QString("12 icons of system/emul.dll at %1, OK, rejected").arg(selected).toStdString()) << index;
    }
    // Browse and Enter in the path box load another file; a double click accepts. IconWindowLifecycle
    // answers the chooser behind PickIconDlg.
    IconChooserDialog dialog(library, 6);
    dialog.show();
    QTimer::singleShot(0, [this] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(files, nullptr);
        files->selectFile(env.root() + "/other.icl");
        static_cast<QDialog*>(files)->accept();
    });
    QTest::mouseClick(dialog.findChild<QPushButton*>("browse"), Qt::LeftButton);
    EXPECT_EQ(state(dialog), "4 icons of other.icl at 0, OK");
    pathField(dialog)->setText(library);
    EXPECT_EQ(state(dialog), "4 icons of other.icl at 0, typed system/emul.dll, OK");
    QTest::keyClick(pathField(dialog), Qt::Key_Return);
    EXPECT_EQ(state(dialog), "12 icons of system/emul.dll at 0, OK");
    const QPoint fourth = view(dialog)->visualRect(view(dialog)->model()->index(4, 0)).center();
    QTest::mouseClick(view(dialog)->viewport(), Qt::LeftButton, {}, fourth);
    QTest::mouseDClick(view(dialog)->viewport(), Qt::LeftButton, {}, fourth);
    EXPECT_EQ(state(dialog), "12 icons of system/emul.dll at 4, OK, accepted");
    // Nothing can be accepted from a file without icons, nor a path longer than the buffer; a path that fills it can.
    TestEnvironment::writeFile(env.root() + "/readme.txt", "no icons here");
    for (const auto& [name, maxLength, expected] : {std::tuple("readme.txt", 260, "0 icons of readme.txt at -1, says There are no icons in this file"),
                                                    std::tuple("system/emul.dll", int(library.size()) - 1, "12 icons of system/emul.dll at 0, says The path of system/emul"),
                                                    std::tuple("system/emul.dll", int(library.size()), "12 icons of system/emul.dll at 0, OK, accepted")}) {
        IconChooserDialog other(env.root() + "/" + name, 0);
        other.show();
        other.setMaxPathLength(maxLength);
        QTest::keyClick(view(other), Qt::Key_Return);
        EXPECT_EQ(state(other), expected);
    }
}
