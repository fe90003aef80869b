// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon window: an out-of-sight worker that builds the two icon references and pictures.
#pragma once

#include <QPointer>
#include <QWidget>
#include <QtGlobal>

struct SharedValues;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace icons {
class PictureBox;
}
namespace platform {
struct Icon;
}

class Form1 : public QWidget {
    Q_OBJECT

public:
    // A top-level window without parent. Closing it is its unload: it deletes itself, which
    // clears the main window's QPointer to it, so the next show makes a new one.
    // `shared` outlives it; `img` and `img2` are the main window's two icon images, whose
    // pictures the routes set.
    Form1(SharedValues& shared, QLabel* img, QLabel* img2);

    // Runs Form_Load (bWinNT, txtIconIdx = "0", then the route IconWindowMode chooses), then
    // shows the window out of sight. Called once, right after construction.
    void load();

    // The main window's unload on its activation. The chooser runs an event loop inside the load
    // (and inside Enter in the path box), and the main window can be activated from that loop:
    // the window then stays until the chooser has returned and the work that opened it is done,
    // and is unloaded then.
    void unload();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs `work` with the window held against unloading, then carries out an unload asked
    // for meanwhile.
    template <typename Work>
    void holding(Work&& work);

    // The routes and their routines have no error handling of their own: a failing statement
    // (a path longer than a buffer, an index text that is not a number) throws, which ends the
    // route; Form_Load then goes on with its next statement.
    void Form_Load();
    void cmdIconDlg_Click();
    void cmdIconDlg2_Click();
    void txtIconPath_KeyPress(int& KeyAscii);
    void SelectShownIcon();
    void ChooseIcon();
    void ShowCartIcon();
    void ShowSaveIcon();
    void ShowIcon(const QString& catalogueIndex);
    void ExtractAndDraw(const QString& buffer, qint32 index);
    void DrawIcons(platform::Icon& large, platform::Icon& small);
    QString IconReference() const;
    void MoveOutOfSight();

    SharedValues& m_shared;
    QPointer<QLabel> m_img;
    QPointer<QLabel> m_img2;

    QGroupBox* fraIconDlg;
    QLineEdit* txtIconPath;
    QLineEdit* txtIconIdx;
    icons::PictureBox* picSmallIcon;
    icons::PictureBox* picLargeIcon;
    QPushButton* cmdIconDlg;
    QPushButton* cmdIconDlg2;

    // True when the shell's icon chooser takes UTF-16 text, so buffers are widened for it.
    // Set by each load.
    bool bWinNT = false;
    // 0 (empty) until a preview attempt, then 2 once an icon has been drawn, otherwise 1.
    int IconState = 0;
    // How many pieces of work hold the window, and whether an unload waits for them.
    int m_holds = 0;
    bool m_unloadWaiting = false;
};
