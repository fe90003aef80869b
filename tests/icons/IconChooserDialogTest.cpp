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
#include <functional>

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
    static QPushButton* okButton(QDialog& dialog)
    {
        return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }
    static QLabel* message(QDialog& dialog) { return dialog.findChild<QLabel*>("message"); }
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
    const QString library = env.root() + "/emul.dll";
    const QString other = env.root() + "/other.icl";
};

} // namespace

TEST_F(IconChooser, ShowsEveryIconWithTheStartIndexSelected)
{
    const struct {
        int index;
        int selected;
    } cases[] = {{0, 0}, {5, 5}, {11, 11}, {-3, 2}, {12, 0}, {-40, 0}};
    for (const auto& c : cases) {
        IconChooserDialog dialog(library, c.index);
        EXPECT_EQ(view(dialog)->model()->rowCount(), 12);
        EXPECT_EQ(dialog.index(), c.selected) << c.index;
        EXPECT_EQ(dialog.path(), library);
        EXPECT_EQ(pathField(dialog)->text(), library);
        EXPECT_TRUE(okButton(dialog)->isEnabled());
        EXPECT_TRUE(message(dialog)->isHidden());
    }
}

TEST_F(IconChooser, DoubleClickAcceptsTheIcon)
{
    const auto dialog = show(library, 0);
    const QModelIndex fourth = view(*dialog)->model()->index(4, 0);
    const QPoint centre = view(*dialog)->visualRect(fourth).center();
    QTest::mouseClick(view(*dialog)->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view(*dialog)->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->index(), 4);
}

TEST_F(IconChooser, ArrowKeysAndOkAccept)
{
    const auto dialog = show(library, 2);
    view(*dialog)->setFocus();
    QTest::keyClick(view(*dialog), Qt::Key_Right);
    QTest::mouseClick(okButton(*dialog), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->index(), 3);
}

TEST_F(IconChooser, EscapeCancels)
{
    const auto dialog = show(library, 2);
    QTest::keyClick(view(*dialog), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(IconChooser, BrowseLoadsTheLibraryPicked)
{
    const auto dialog = show(library, 7);
    whenShown<QFileDialog>([this](QFileDialog* files) {
        files->selectFile(other);
        static_cast<QDialog*>(files)->accept();
    });
    QTest::mouseClick(dialog->findChild<QPushButton*>("browse"), Qt::LeftButton);
    EXPECT_EQ(dialog->path(), other);
    EXPECT_EQ(pathField(*dialog)->text(), other);
    EXPECT_EQ(view(*dialog)->model()->rowCount(), 3);
    EXPECT_EQ(dialog->index(), 0);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(IconChooser, EnterInThePathFieldLoadsTheTypedPathThenAccepts)
{
    const auto dialog = show(library, 7);
    pathField(*dialog)->setFocus();
    pathField(*dialog)->setText(other);
    QTest::keyClick(pathField(*dialog), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "a new path is loaded, not accepted";
    EXPECT_EQ(dialog->path(), other);
    EXPECT_EQ(view(*dialog)->model()->rowCount(), 3);

    QTest::keyClick(pathField(*dialog), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->index(), 0);
}

TEST_F(IconChooser, AFileWithoutIconsSaysSo)
{
    const QString text = env.root() + "/readme.txt";
    TestEnvironment::writeFile(text, "no icons here");
    for (const QString& path : {text, env.root() + "/missing.dll"}) {
        const auto dialog = show(path, 0);
        EXPECT_EQ(view(*dialog)->model()->rowCount(), 0);
        EXPECT_TRUE(message(*dialog)->isVisible());
        const QString said = message(*dialog)->text();
        EXPECT_TRUE(said.contains("no icons")) << said.toStdString();
        EXPECT_FALSE(okButton(*dialog)->isEnabled());
        QTest::keyClick(view(*dialog), Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
    }
}

TEST_F(IconChooser, APathLongerThanTheBufferCannotBeAccepted)
{
    const auto dialog = show(library, 1);
    dialog->setMaxPathLength(int(library.size()) - 1);
    EXPECT_FALSE(okButton(*dialog)->isEnabled());
    EXPECT_TRUE(message(*dialog)->isVisible());
    QTest::keyClick(view(*dialog), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    dialog->setMaxPathLength(int(library.size()));
    EXPECT_TRUE(okButton(*dialog)->isEnabled());
}

TEST_F(IconChooser, DecodesOnlyTheIconsItShows)
{
    const QString big = env.root() + "/big.icl";
    testicons::writeLibrary(big, 600);
    const auto dialog = show(big, 0);
    QCoreApplication::processEvents();
    const auto* model = qobject_cast<icons::IconListModel*>(view(*dialog)->model());
    ASSERT_NE(model, nullptr);
    EXPECT_GT(model->decodedCount(), 0);
    EXPECT_LT(model->decodedCount(), 200);
}

TEST_F(IconChooser, PickIconDlgShowsTheDialogAndReturnsTheChoice)
{
    whenShown<IconChooserDialog>([this](IconChooserDialog* dialog) {
        EXPECT_EQ(dialog->path(), library);
        EXPECT_EQ(dialog->index(), 6);
        view(*dialog)->setCurrentIndex(view(*dialog)->model()->index(9, 0));
        QTest::mouseClick(okButton(*dialog), Qt::LeftButton);
    });
    mStringUtils::bWinNT = true;
    QString buffer = mStringUtils::Widen(mStringUtils::PadToMaxPath(library));
    int index = 6;
    const int capacity = mStringUtils::BufferCapacity(buffer);
    EXPECT_EQ(platform::PickIconDlg(nullptr, buffer, capacity, index), 1);
    EXPECT_EQ(index, 9);
    EXPECT_EQ(mStringUtils::TrimNull(buffer), library);

    whenShown<IconChooserDialog>([](IconChooserDialog* dialog) { dialog->reject(); });
    buffer = mStringUtils::Widen(mStringUtils::PadToMaxPath(library));
    EXPECT_EQ(platform::PickIconDlg(nullptr, buffer, capacity, index), 0);
    EXPECT_EQ(index, 9);
}
