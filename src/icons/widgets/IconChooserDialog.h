// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon chooser: every icon of an icon library in a grid, and the library's path to change.
#pragma once

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QPushButton;
class QLabel;
class QLineEdit;
class QListView;

namespace icons {

class IconListModel;

class IconChooserDialog : public QDialog {
    Q_OBJECT

public:
    // Opens on the library at `path` with the icon that extraction index `index` names
    // selected (the first icon when there is none).
    IconChooserDialog(const QString& path, int index, QWidget* parent = nullptr);

    // Paths longer than `length` characters cannot be accepted.
    void setMaxPathLength(int length);

    // The library whose icons are shown.
    QString path() const { return m_loadedPath; }
    // The position of the selected icon, -1 when none is.
    int index() const;

    // OK loads the path typed in the path field when it is not the one shown; otherwise it
    // accepts the selected icon.
    void accept() override;

protected:
    bool event(QEvent* event) override;

private:
    void retranslate();
    void loadLibrary(const QString& path, int index);
    void browse();
    void acceptChoice();
    bool canAcceptChoice() const;
    void updateState();

    QLineEdit* m_pathEdit;
    QListView* m_iconView;
    QLabel* m_message;
    QLabel* m_fileLabel;
    QLabel* m_listLabel;
    QPushButton* m_browseButton;
    QDialogButtonBox* m_buttons;
    IconListModel* m_model;
    QString m_loadedPath;
    int m_maxPathLength;
};

} // namespace icons
