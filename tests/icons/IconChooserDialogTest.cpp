// The icon chooser dialog driven through its widgets, on its own and behind PickIconDlg.
#include "IconTestFiles.h"
#include "TestEnvironment.h"
#include "icons/IconChooserDialog.h"
#include "icons/IconListModel.h"
#include "icons/StringUtils.h"
#include "platform/IconPicker.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using icons::IconChooserDialog;

namespace {

class IconChooser : public ::testing::Test {
protected:
    void SetUp() override
    {
        testicons::writeLibrary(library, 12);
        testicons::writeLibrary(other, 3, 20);
    }
    // The dialog on screen, as the user sees it.
    std::unique_ptr<IconChooserDialog> show(const QString& path, int index)
    {
        auto dialog = std::make_unique<IconChooserDialog>(path, index);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }
    static QListView* view(QDialog& dialog) { return dialog.findChild<QListView*>("icons"); }
    static QLineEdit* pathField(QDialog& dialog) { return dialog.findChild<QLineEdit*>("path"); }
    static QPushButton* ok(QDialog& dialog) { return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok); }
    // What the user sees and what the dialog answers, the test folder left out.
    QString state(IconChooserDialog& dialog) const
    {
        const QLabel* message = dialog.findChild<QLabel*>("message");
        return QString("%1 icons, %2 at %3 in %4%5%6%7")
            .arg(view(dialog)->model()->rowCount()).arg(dialog.path()).arg(dialog.index()).arg(pathField(dialog)->text())
            .arg(ok(dialog)->isEnabled() ? ", OK" : "").arg(message->isHidden() ? "" : ", says " + message->text())
            .arg(dialog.isVisible() ? "" : dialog.result() == QDialog::Accepted ? ", accepted" : ", rejected")
            .replace(env.root() + "/", "");
    }
    // Runs `answer` on the modal dialog that the next step opens.
    template <typename Dialog>
    static void whenShown(std::function<void(Dialog*)> answer)
    {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(dialog);
        });
    }

    TestEnvironment env;
    const QString library = env.root() + "/emul.dll", other = env.root() + "/other.icl";
};

} // namespace

TEST_F(IconChooser, ShowsEveryIconWithTheStartIndexSelected)
{
    for (const auto& [index, selected] : std::initializer_list<std::pair<int, int>>{{0, 0}, {5, 5}, {11, 11}, {-3, 2}, {12, 0}, {-40, 0}}) {
        IconChooserDialog dialog(library, index);
        EXPECT_EQ(state(dialog), QString("12 icons, emul.dll at %1 in emul.dll, OK, rejected").arg(selected)) << index;
    }
}

TEST_F(IconChooser, DoubleClickOrArrowKeysAndOkAcceptEscapeCancels)
{
    auto dialog = show(library, 0);
    const QPoint fourth = view(*dialog)->visualRect(view(*dialog)->model()->index(4, 0)).center();
    QTest::mouseClick(view(*dialog)->viewport(), Qt::LeftButton, {}, fourth);
    QTest::mouseDClick(view(*dialog)->viewport(), Qt::LeftButton, {}, fourth);
    EXPECT_EQ(state(*dialog), "12 icons, emul.dll at 4 in emul.dll, OK, accepted");
    dialog = show(library, 2);
    view(*dialog)->setFocus();
    QTest::keyClick(view(*dialog), Qt::Key_Right);
    QTest::mouseClick(ok(*dialog), Qt::LeftButton);
    EXPECT_EQ(state(*dialog), "12 icons, emul.dll at 3 in emul.dll, OK, accepted");
    dialog = show(library, 2);
    QTest::keyClick(view(*dialog), Qt::Key_Escape);
    EXPECT_EQ(state(*dialog), "12 icons, emul.dll at 2 in emul.dll, OK, rejected");
}

TEST_F(IconChooser, BrowseOrEnterInThePathFieldLoadsAnotherLibrary)
{
    const auto dialog = show(library, 7);
    whenShown<QFileDialog>([this](QFileDialog* files) {
        files->selectFile(other);
        static_cast<QDialog*>(files)->accept();
    });
    QTest::mouseClick(dialog->findChild<QPushButton*>("browse"), Qt::LeftButton);
    EXPECT_EQ(state(*dialog), "3 icons, other.icl at 0 in other.icl, OK");
    // Enter loads a path typed in, then accepts.
    pathField(*dialog)->setFocus();
    pathField(*dialog)->setText(library);
    QTest::keyClick(pathField(*dialog), Qt::Key_Return);
    EXPECT_EQ(state(*dialog), "12 icons, emul.dll at 0 in emul.dll, OK");
    QTest::keyClick(pathField(*dialog), Qt::Key_Return);
    EXPECT_EQ(state(*dialog), "12 icons, emul.dll at 0 in emul.dll, OK, accepted");
}

TEST_F(IconChooser, NothingCanBeAcceptedFromAFileWithoutIconsOrAPathLongerThanTheBuffer)
{
    TestEnvironment::writeFile(env.root() + "/readme.txt", "no icons here");
    for (const QString& path : {env.root() + "/readme.txt", env.root() + "/missing.dll"}) {
        const auto dialog = show(path, 0);
        QTest::keyClick(view(*dialog), Qt::Key_Return);
        const QString name = path.mid(env.root().size() + 1);
        EXPECT_TRUE(state(*dialog).startsWith(QString("0 icons, %1 at -1 in %1, says There are no icons").arg(name)))
            << state(*dialog).toStdString();
    }
    const auto dialog = show(library, 1);
    dialog->setMaxPathLength(int(library.size()) - 1);
    QTest::keyClick(view(*dialog), Qt::Key_Return);
    EXPECT_TRUE(state(*dialog).startsWith("12 icons, emul.dll at 1 in emul.dll, says The path of emul.dll is too long")) << state(*dialog).toStdString();
    dialog->setMaxPathLength(int(library.size()));
    EXPECT_EQ(state(*dialog), "12 icons, emul.dll at 1 in emul.dll, OK");
}

TEST_F(IconChooser, DecodesOnlyTheIconsItShows)
{
    testicons::writeLibrary(env.root() + "/big.icl", 600);
    const auto dialog = show(env.root() + "/big.icl", 0);
    QCoreApplication::processEvents();
    const auto* model = qobject_cast<icons::IconListModel*>(view(*dialog)->model());
    ASSERT_NE(model, nullptr);
    EXPECT_GT(model->decodedCount(), 0);
    EXPECT_LT(model->decodedCount(), 200);
}

TEST_F(IconChooser, PickIconDlgShowsTheDialogAndReturnsTheChoice)
{
    whenShown<IconChooserDialog>([this](IconChooserDialog* dialog) {
        EXPECT_EQ(state(*dialog), "12 icons, emul.dll at 6 in emul.dll, OK");
        view(*dialog)->setCurrentIndex(view(*dialog)->model()->index(9, 0));
        QTest::mouseClick(ok(*dialog), Qt::LeftButton);
    });
    mStringUtils::bWinNT = true;
    QString buffer = mStringUtils::Widen(mStringUtils::PadToMaxPath(library));
    int index = 6;
    const int capacity = mStringUtils::BufferCapacity(buffer);
    EXPECT_EQ(platform::PickIconDlg(nullptr, buffer, capacity, index), 1);
    EXPECT_EQ(QString::number(index) + " " + mStringUtils::TrimNull(buffer), "9 " + library);
    whenShown<IconChooserDialog>([](IconChooserDialog* dialog) { dialog->reject(); });
    buffer = mStringUtils::Widen(mStringUtils::PadToMaxPath(library));
    EXPECT_EQ(platform::PickIconDlg(nullptr, buffer, capacity, index), 0);
    EXPECT_EQ(index, 9);
}
