// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon chooser: every icon of an icon library in a grid, and the library's path to change.
#include "icons/widgets/IconChooserDialog.h"

#include "icons/IconLibrary.h"
#include "icons/widgets/IconListModel.h"
#include "platform/ShellIcons.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace icons {

IconChooserDialog::IconChooserDialog(const QString& path, int index, QWidget* parent)
    : QDialog(parent)
    , m_pathEdit(new QLineEdit(this))
    , m_iconView(new QListView(this))
    , m_message(new QLabel(this))
    , m_fileLabel(new QLabel(this))
    , m_listLabel(new QLabel(this))
    , m_browseButton(new QPushButton(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
    , m_model(new IconListModel(this))
    , m_maxPathLength(std::numeric_limits<int>::max())
{
    retranslate();
    m_pathEdit->setObjectName("path");
    m_iconView->setObjectName("icons");
    m_message->setObjectName("message");

    m_browseButton->setObjectName("browse");
    m_browseButton->setAutoDefault(false);

    // Uniform sizes let the view lay out the grid from one item, so only the icons it paints
    // are ever decoded.
    const int cell = platform::LargeIconSize + 12;
    m_iconView->setViewMode(QListView::IconMode);
    m_iconView->setMovement(QListView::Static);
    m_iconView->setResizeMode(QListView::Adjust);
    m_iconView->setUniformItemSizes(true);
    m_iconView->setIconSize(QSize(platform::LargeIconSize, platform::LargeIconSize));
    m_iconView->setGridSize(QSize(cell, cell));
    m_iconView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_iconView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_iconView->setModel(m_model);
    // Icons have no caption to highlight: the whole cell of the chosen one is.
    m_iconView->setStyleSheet(
        QStringLiteral("QListView::item:selected { background: palette(highlight); }"));
    m_message->setWordWrap(true);

    m_fileLabel->setBuddy(m_pathEdit);
    m_listLabel->setBuddy(m_iconView);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_pathEdit, 1);
    pathRow->addWidget(m_browseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fileLabel);
    layout->addLayout(pathRow);
    layout->addWidget(m_listLabel);
    layout->addWidget(m_iconView, 1);
    layout->addWidget(m_message);
    layout->addWidget(m_buttons);
    resize(420, 340);

    connect(m_browseButton, &QPushButton::clicked, this, &IconChooserDialog::browse);
    connect(m_iconView, &QListView::doubleClicked, this, &IconChooserDialog::acceptChoice);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &IconChooserDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &IconChooserDialog::reject);
    connect(m_pathEdit, &QLineEdit::textChanged, this, &IconChooserDialog::updateState);
    connect(m_iconView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &IconChooserDialog::updateState);

    loadLibrary(path, index);
    m_iconView->setFocus();
}

bool IconChooserDialog::event(QEvent* event)
{
    // The button box gives its buttons the toolkit's own texts again when the language changes,
    // after the dialog has seen the change: ours are set once it has.
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        updateState();
    }
    return handled;
}

void IconChooserDialog::retranslate()
{
    setWindowTitle(tr("Change Icon"));
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    m_browseButton->setText(tr("&Browse..."));
    m_fileLabel->setText(tr("&Look for icons in this file:"));
    m_listLabel->setText(tr("&Select an icon from the list below:"));
}

void IconChooserDialog::setMaxPathLength(int length)
{
    m_maxPathLength = length;
    updateState();
}

int IconChooserDialog::index() const
{
    const QModelIndex current = m_iconView->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void IconChooserDialog::accept()
{
    if (m_pathEdit->text() != QDir::toNativeSeparators(m_loadedPath))
        loadLibrary(QDir::fromNativeSeparators(m_pathEdit->text()), 0);
    else
        acceptChoice();
}

void IconChooserDialog::loadLibrary(const QString& path, int index)
{
    m_loadedPath = path;
    m_pathEdit->setText(QDir::toNativeSeparators(path));
    m_model->setLibrary(IconLibrary::open(path));

    const int position = m_model->library().positionOf(index);
    const QModelIndex current = m_model->index(position >= 0 ? position : 0);
    if (current.isValid()) {
        m_iconView->setCurrentIndex(current);
        m_iconView->scrollTo(current, QAbstractItemView::PositionAtCenter);
    }
    updateState();
}

void IconChooserDialog::browse()
{
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Change Icon"), QFileInfo(m_loadedPath).absolutePath(),
        tr("Icon files (*.icl *.dll *.exe *.ico);;All files (*)"));
    if (!file.isEmpty())
        loadLibrary(file, 0);
}

void IconChooserDialog::acceptChoice()
{
    if (canAcceptChoice())
        QDialog::accept();
}

bool IconChooserDialog::canAcceptChoice() const
{
    return m_iconView->currentIndex().isValid() && m_loadedPath.size() <= m_maxPathLength;
}

void IconChooserDialog::updateState()
{
    const bool pathEdited = m_pathEdit->text() != QDir::toNativeSeparators(m_loadedPath);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(pathEdited || canAcceptChoice());

    const QString file = QDir::toNativeSeparators(m_loadedPath);
    QString message;
    if (m_model->rowCount() == 0)
        message = tr("There are no icons in this file. Choose another one.\n%1")
                      .arg(m_model->library().error());
    else if (m_loadedPath.size() > m_maxPathLength)
        message = tr("The path of %1 is too long: %2 characters, at most %3 can be used.")
                      .arg(file)
                      .arg(m_loadedPath.size())
                      .arg(m_maxPathLength);
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
}

} // namespace icons
