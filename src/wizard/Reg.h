// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The association writer window: a message panel laid over the wizard, and an editor out of sight
// whose one write operation puts a key and its default value into the classes root.
#pragma once

#include "platform/ClassesRoot.h"
#include "associations/AssociationChange.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

// One Reg serves one Finish: constructing it loads the window (Form_Load), and the window unloads
// itself on the 21st tick of Timer2 after the writes. Controls carry their names as objectName;
// the write-mode options are "Action1" to "Action5".
class Reg : public QDialog {
    Q_OBJECT
public:
    // Form_Load runs here: the window is placed over `mainWindow`. The steps write what
    // `choices` ask for, with the extensions of the catalogue `catalogueFile` for the numbers
    // of `consoleNames` that carry the chosen console's name. `classesRoot` must outlive the
    // window.
    Reg(QWidget* mainWindow, const registry::AssociationChoices& choices,
        const std::array<QString, 15>& consoleNames, QString catalogueFile,
        platform::ClassesRoot& classesRoot);
    ~Reg() override;

    // Shows the window modally; returns when the window unloads itself after the 21st tick.
    void showModal();
    // What could not be written, one text per failure, in French or English.
    QStringList failures(bool french) const;
    // What was written but may not work, in French or English.
    QStringList warnings(bool french) const;

    // Option `index` (1 to 5) of the write-mode array.
    QRadioButton* Action(int index) const;
    int WaitTicks() const { return m_waitTicks; }

    // The write operation: creates the key TextCle names and sets its default value to TextDonnee.
    void Command6_Click();
    // Before the steps write anything, what they will replace is saved as a backup; when it
    // cannot be, no step writes.
    void Timer_Timer();
    void Timer2_Timer();
    // The steps of the association sequence, in the order Timer_Timer runs them; each writes
    // its part of the plan.
    void C1_Click();
    void C2_Click();
    void C31_Click();
    void C32_Click();
    void C33_Click();
    void C34_Click();
    void C6_Click();
    void C7_Click();
    void C81_Click();
    void C82_Click();
    void C83_Click();
    void C84_Click();
    void C9_Click();

    QWidget* Pi1 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* L1 = nullptr; // the message; Finish sets its caption
    QLineEdit* TextCle = nullptr;
    QLineEdit* TextValeur = nullptr;
    QLineEdit* TextDonnee = nullptr;
    QGroupBox* F1 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* C1 = nullptr;
    QPushButton* C2 = nullptr;
    QPushButton* C31 = nullptr;
    QPushButton* C32 = nullptr;
    QPushButton* C33 = nullptr;
    QPushButton* C34 = nullptr;
    QPushButton* C6 = nullptr;
    QPushButton* C7 = nullptr;
    QPushButton* C81 = nullptr;
    QPushButton* C82 = nullptr;
    QPushButton* C83 = nullptr;
    QPushButton* C84 = nullptr;
    QPushButton* C9 = nullptr;
    QTimer* Timer = nullptr;
    QTimer* Timer2 = nullptr;

protected:
    // Only the window itself ends its display: Escape and the close box do nothing.
    void reject() override;

private:
    void buildControls();
    QPushButton* stepButton(const char* name, int row, void (Reg::*handler)());
    void Form_Load();
    void unload();

    void runStep(registry::AssociationPlan::Step step);

    QWidget* m_mainWindow;
    registry::AssociationChange m_association;
    std::array<QRadioButton*, 5> m_action {};
    int m_waitTicks = 0;
    bool m_unloaded = false;
};
