// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon window: an out-of-sight worker that builds the two icon references and pictures.
#include "wizard/Form1.h"

#include "wizard/SharedValues.h"
#include "catalogue/AnsiText.h"
#include "icons/LongConversion.h"
#include "wizard/PictureBox.h"
#include "icons/StringUtils.h"
#include "platform/widgets/IconPicker.h"
#include "platform/ProgramFiles.h"
#include "platform/ShellIcons.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <exception>

namespace {

constexpr int TwipsPerPixel = 15;

constexpr int twips(int value)
{
    return value / TwipsPerPixel;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// The load resumes with its next statement when one fails; the failure is reported.
template <typename Statement>
void resumeNext(const char* statement, Statement&& run)
{
    try {
        run();
    } catch (const std::exception& error) {
        qWarning("Form1 load: %s failed: %s", statement, error.what());
    }
}

} // namespace

Form1::Form1(SharedValues& shared, QLabel* img, QLabel* img2)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint)
    , m_shared(shared)
    , m_img(img)
    , m_img2(img2)
    , fraIconDlg(new QGroupBox(this))
    , txtIconPath(new QLineEdit(fraIconDlg))
    , txtIconIdx(new QLineEdit(fraIconDlg))
    , picSmallIcon(new icons::PictureBox(fraIconDlg))
    , picLargeIcon(new icons::PictureBox(fraIconDlg))
    , cmdIconDlg(new QPushButton(fraIconDlg))
    , cmdIconDlg2(new QPushButton(fraIconDlg))
{
    setObjectName("Form1");
    setAttribute(Qt::WA_DeleteOnClose);
    // The user never meets this window, only the chooser it opens; closing it ends nothing.
    setAttribute(Qt::WA_DontShowOnScreen);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(twips(5070), twips(1380));

    fraIconDlg->setObjectName("fraIconDlg");
    fraIconDlg->setGeometry(twipsRect(0, 30, 5055, 1335));
    txtIconPath->setObjectName("txtIconPath");
    txtIconPath->setGeometry(twipsRect(720, 240, 4215, 315));
    txtIconPath->installEventFilter(this);
    txtIconIdx->setObjectName("txtIconIdx");
    txtIconIdx->setGeometry(twipsRect(960, 660, 375, 285));
    picSmallIcon->setObjectName("picSmallIcon");
    picSmallIcon->setGeometry(twipsRect(2220, 660, 330, 315));
    picLargeIcon->setObjectName("picLargeIcon");
    picLargeIcon->setGeometry(twipsRect(2820, 660, 585, 555));
    cmdIconDlg->setObjectName("cmdIconDlg");
    cmdIconDlg->setGeometry(twipsRect(3840, 960, 1095, 315));
    cmdIconDlg->setVisible(false);
    cmdIconDlg2->setObjectName("cmdIconDlg2");
    cmdIconDlg2->setGeometry(twipsRect(3840, 600, 1095, 315));
    cmdIconDlg2->setVisible(false);
    // The two hidden buttons are never clicked: their handlers are the routes Form_Load calls.
}

template <typename Work>
void Form1::holding(Work&& work)
{
    ++m_holds;
    const auto release = qScopeGuard([this] {
        if (--m_holds == 0 && m_unloadWaiting)
            close();
    });
    work();
}

void Form1::load()
{
    holding([this] {
        Form_Load();
        show();
    });
}

void Form1::unload()
{
    if (m_holds > 0)
        m_unloadWaiting = true;
    else
        close();
}

void Form1::Form_Load()
{
    resumeNext("IsWinNT", [this] { bWinNT = mStringUtils::IsWinNT(); });
    resumeNext("txtIconIdx", [this] { txtIconIdx->setText("0"); });
    resumeNext("the icon route", [this] {
        if (m_shared.IconWindowMode == 1)
            cmdIconDlg_Click();
        else
            cmdIconDlg2_Click();
    });
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtIconPath && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            int KeyAscii = 13;
            holding([this, &KeyAscii] {
                try {
                    txtIconPath_KeyPress(KeyAscii);
                } catch (const std::exception& error) {
                    qWarning("Form1: the icon chooser failed on Enter: %s", error.what());
                    KeyAscii = 0;
                }
            });
            return KeyAscii == 0;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::cmdIconDlg_Click()
{
    txtIconPath->setText(platform::joinPath(m_shared.SystemDir, "emul.dll"));
    SelectShownIcon();
    ChooseIcon();
    if (IconState != 1) {
        const QPixmap picture = QPixmap::fromImage(picLargeIcon->Image());
        if (m_shared.IconTarget == 1) {
            m_shared.CartIconRef = IconReference();
            if (m_img)
                m_img->setPixmap(picture);
        } else if (m_shared.IconTarget == 2) {
            m_shared.SaveIconRef = IconReference();
            if (m_img2)
                m_img2->setPixmap(picture);
        }
    }
    MoveOutOfSight();
}

// Each preview runs twice: the first run draws the index shown before and loads the
// catalogue's index, the second draws the catalogue's icon.
void Form1::cmdIconDlg2_Click()
{
    MoveOutOfSight();
    txtIconPath->setText(platform::joinPath(m_shared.SystemDir, "emul.dll"));
    ShowCartIcon();
    ShowCartIcon();
    m_shared.CartIconRef = IconReference();
    if (m_img)
        m_img->setPixmap(QPixmap::fromImage(picLargeIcon->Image()));
    ShowSaveIcon();
    ShowSaveIcon();
    m_shared.SaveIconRef = IconReference();
    if (m_img2)
        m_img2->setPixmap(QPixmap::fromImage(picLargeIcon->Image()));
}

// The chooser opens on the icon the clicked image shows, which its reference "path,index" names;
// a reference that names none (the route that makes it stopped short) leaves the library's first.
void Form1::SelectShownIcon()
{
    const QString& reference = m_shared.IconTarget == 1 ? m_shared.CartIconRef : m_shared.SaveIconRef;
    const qsizetype comma = reference.lastIndexOf(QLatin1Char(','));
    if (comma < 0)
        return;
    qint32 index = 0;
    try {
        index = icons::toLong(reference.mid(comma + 1));
    } catch (const std::exception&) {
        return;
    }
    txtIconPath->setText(reference.left(comma));
    txtIconIdx->setText(QString::number(index));
}

void Form1::txtIconPath_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        ChooseIcon();
        KeyAscii = 0;
    }
}

void Form1::ChooseIcon()
{
    QString buffer = mStringUtils::PadToMaxPath(txtIconPath->text());
    if (bWinNT)
        buffer = mStringUtils::Widen(buffer);
    qint32 index = icons::toLong(txtIconIdx->text());
    const int result =
        platform::PickIconDlg(this, buffer, mStringUtils::BufferCapacity(buffer, bWinNT), index);
    if (result != 0) {
        txtIconPath->setText(mStringUtils::TrimNull(buffer));
        txtIconIdx->setText(QString::number(index));
        ExtractAndDraw(buffer, index);
    }
    if (IconState != 2)
        IconState = 1;
}

void Form1::ShowCartIcon()
{
    ShowIcon(m_shared.CartIconIndex);
}

void Form1::ShowSaveIcon()
{
    ShowIcon(m_shared.SaveIconIndex);
}

// The preview routine: draws the icon of the index shown so far, then shows `catalogueIndex`.
void Form1::ShowIcon(const QString& catalogueIndex)
{
    QString buffer = mStringUtils::PadToMaxPath(txtIconPath->text());
    if (bWinNT)
        buffer = mStringUtils::Widen(buffer);
    const qint32 index = icons::toLong(txtIconIdx->text());
    // TrimNull narrows the buffer in place, so the extraction below gets the plain path.
    txtIconPath->setText(mStringUtils::TrimNull(buffer));
    txtIconIdx->setText(AnsiText::untilNul(catalogueIndex));
    ExtractAndDraw(buffer, index);
    if (IconState != 2)
        IconState = 1;
}

void Form1::ExtractAndDraw(const QString& buffer, qint32 index)
{
    platform::Icon large;
    platform::Icon small;
    if (platform::ExtractIconExA(buffer, index, &large, &small) >= 1) {
        DrawIcons(large, small);
        IconState = 2;
    }
}

// Each icon at pixel (1,1) at its own size, into the picture boxes' persistent images.
void Form1::DrawIcons(platform::Icon& large, platform::Icon& small)
{
    picSmallIcon->Cls();
    picLargeIcon->Cls();
    platform::DrawIconEx(picSmallIcon->hDC(), 1, 1, small, 0, 0);
    platform::DrawIconEx(picLargeIcon->hDC(), 1, 1, large, 0, 0);
    platform::DestroyIcon(small);
    platform::DestroyIcon(large);
    picSmallIcon->Refresh();
    picLargeIcon->Refresh();
}

QString Form1::IconReference() const
{
    return txtIconPath->text() + "," + txtIconIdx->text();
}

void Form1::MoveOutOfSight()
{
    move(x(), twips(-5000));
}
