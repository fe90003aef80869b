// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard window: start-up, the five pages and their loaders, language, level, About panel.
#pragma once

#include "wizard/SharedValues.h"
#include "wizard/Zelvane15Controls.h"
#include "associations/AssociationPlan.h"
#include "catalogue/ConsoleOffer.h"
#include "platform/ExtensionOwners.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class Form1;
class QComboBox;

class Zelvane15 : public QMainWindow {
    Q_OBJECT
public:
    // Opens the classes root Finish writes to, for the catalogue the pages were read from.
    using ClassesRootOpener = std::function<std::unique_ptr<platform::ClassesRoot>(const QString& catalogueFile)>;

    // `programDirectory` holds the catalogue Zelvane.ini and the icon library Emul.icl.
    explicit Zelvane15(QString programDirectory, ClassesRootOpener openClassesRoot = [](const QString& catalogueFile) {
        return platform::openClassesRoot(catalogueFile);
    });
    ~Zelvane15() override;

    // Runs the load handler, then shows the window; false when start-up ended the program.
    bool start();

    // The language code ("FR", "US", empty) and the user level ("Novice", "Expert").
    const QString& sett() const { return m_sett; }
    const QString& sett2() const { return m_sett2; }
    const SharedValues& shared() const { return m_shared; }
    SharedValues& shared() { return m_shared; }
    // 0 = the default arrow, 99 = the window's own hand pointer.
    int mousePointer() const { return m_mousePointer; }
    // The icon window while it is loaded.
    Form1* form1() const;

    // Start-up and end.
    bool Form_Load();
    void Form_Unload();
    void Form_Activate();
    void Qu_Click();
    void qui_Click();

    // Navigation.
    void Sui_Click();
    void Pre_Click();
    void C1_Click();
    void C2_Click();

    // Catalogue loaders.
    bool Lire_Ini1_Click();
    void Lire_Ini2_Click();
    bool Lire_Ini3_Click();
    void Lire_Ini4_Click();
    void Lire_Ini5_Click();

    // Language, level and preferences.
    void sett_Click();
    void sett2_Click();
    void FRV_Click();
    void USV_Click();
    void nov_Click();
    void xpt_Click();
    void lng_Click();
    void fr_Click();
    void us_Click();

    // About panel, links, icon images and hover feedback.
    void apr_Click();
    void Protege_Click();
    void Lad_Click();
    void Lma_Click();
    void Img_Click();
    void Img2_Click();
    void Lad_MouseMove();
    void Lma_MouseMove();
    void Protege_MouseMove();
    void flag_MouseMove();
    void languagePanel_MouseMove();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void connectHandlers();
    void showLanguagePanel();
    void chooseLanguage(const QString& code);
    void setLevel(const QString& level);
    void setMousePointer(int pointer);
    bool isFrench() const { return m_sett == QLatin1String("FR"); }
    bool isNovice() const { return m_sett2 == QLatin1String("Novice"); }
    bool isPage(const QWidget* page) const;
    void showPage(QWidget* page);
    // Gives the focus to the panel shown over the wizard, else to the page's first control.
    void focusFront();
    // Gives every control its accessible name and description in the wizard's language.
    void nameControls();
    void enableNextWhenPicked(const QComboBox* list);
    QString catalogueFile() const;
    // What the catalogue offers for the console picked on the first page.
    std::optional<registry::ConsoleOffer> consoleOffer() const;
    void markEmulators();
    void loadExtensionBoxes(const std::array<QCheckBox*, 4>& boxes, const std::array<QString, 4>* extensions);
    void catalogueError();
    void startupError();
    void showForm1();
    void unloadForm1();
    // What the user chose on the five pages, for the association writer.
    registry::AssociationChoices choices() const;
    void Finish();

    QString m_programDirectory;
    ClassesRootOpener m_openClassesRoot;
    Zelvane15Controls c;
    SharedValues m_shared;
    QString m_sett = QStringLiteral("set");
    QString m_sett2 = QStringLiteral("niv");
    int m_mousePointer = 0;
    bool m_ended = false;
    QPointer<Form1> m_form1;
    // Asked only when an extension page is loaded at the Expert level, then kept for its answers.
    std::unique_ptr<platform::ExtensionOwners> m_extensionOwners;
};
