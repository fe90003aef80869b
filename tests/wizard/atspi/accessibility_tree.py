# SPDX-FileCopyrightText: 2026 The Zelvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads the wizard's AT-SPI tree, as a screen reader does, on every page and panel in French and in
# English: each control a user can reach has a name, and the names and descriptions are the
# language's. Run by run-accessibility-tree.sh, which gives it its bus, display and catalogue:
# accessibility_tree.py ZELVANE_BINARY XDG_DATA_DIRS.
import os
import subprocess
import sys
import time

import pyatspi

TIMEOUT = 20.0
EMULATOR = 'zelvane-test-emulator "%1"'
MISSING = 'zelvane-missing-emulator "%1"'

# What each page says, by control, in each language; None where the test does not look.
NAMES = {
    'FR': {
        'buttons': ['Quitter', 'Précédent', 'Suivant'],
        'F1': [('Console', 'Choisissez une console')],
        'F2': [("ROM .nes, aussi d'un autre type", 'Les fichiers *.nes sont aussi du type'),
               ('ROM .fds', ''), ('Aucune extension', ''), ('Aucune extension', '')],
        'F3': [('Émulateur', 'Choisissez un Emulateur')],
        'emulators': [(EMULATOR, 'Programme trouvé : zelvane-test-emulator'),
                      (MISSING, 'Programme introuvable : zelvane-missing-emulator')]
                     + [('Aucun émulateur', '')] * 4,
        'F4': [('Sauvegardes .fc0', ''), ('Aucune extension', ''), ('Aucune extension', ''),
               ('Aucune extension', '')],
        'F5': [('Icône des ROM : emul.dll, icône 3', 'Ouvre le choix des icônes.'),
               ('Icône des sauvegardes : emul.dll, icône 16', 'Ouvre le choix des icônes.')],
        'finish': 'Terminer',
        'about': [('https://zelvane.org/', 'Ouvre le site web de Zelvane.'),
                  ('team@zelvane.org', 'Écrit un courriel aux auteurs.')],
    },
    'US': {
        'buttons': ['Quit', 'Previous', 'Next'],
        'F1': [('Video game platform', 'Select a Video Game Platform')],
        'F2': [('.nes ROMs, also of another type', '*.nes files are also of the type'),
               ('.fds ROMs', ''), ('No extension', ''), ('No extension', '')],
        'F3': [('Emulator', 'Select an Emulator')],
        'emulators': [(EMULATOR, 'Program found: zelvane-test-emulator'),
                      (MISSING, 'Program not found: zelvane-missing-emulator')]
                     + [('No emulator', '')] * 4,
        'F4': [('.fc0 save states', ''), ('No extension', ''), ('No extension', ''), ('No extension', '')],
        'F5': [('ROM icon: emul.dll, icon 3', 'Opens the icon chooser.'),
               ('Save state icon: emul.dll, icon 16', 'Opens the icon chooser.')],
        'finish': 'Finish',
        'about': [('https://zelvane.org/', "Opens Zelvane's web site."),
                  ('team@zelvane.org', 'Writes an e-mail to the authors.')],
    },
}
FLAGS = [('Français', 'Le programme parlera français.'), ('English', 'The program will speak English.')]
PAGES = ['F1', 'F2', 'F3', 'F4', 'F5']
# What the test picks in the two lists.
PICKS = {'F1': 'Nintendo Entertainment System', 'F3': EMULATOR}
INTERACTIVE_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_COMBO_BOX,
                     pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM}

failures = []
report = []


def fail(where, message):
    failures.append(f'{where}: {message}')
    print(f'FAIL {where}: {message}', flush=True)


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def walk(node):
    yield node
    for child in children(node):
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def wait_for(what, condition):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        try:
            found = condition()
        except Exception:  # the tree changes under us while the wizard works
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise SystemExit(f'FAIL: timed out after {TIMEOUT:.0f} s waiting for {what}')


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if app is not None and app.name == 'Zelvane' and app.childCount:
            return app
    return None


class Wizard:
    """The main window's parts, found by their place in the tree: the stacked pages (a layered
    pane of five panels) and its buttons, the language panel (the label holding the two flags),
    the About panel (the label holding the two links)."""

    def __init__(self, app):
        frame = next(n for n in children(app) if n.getRole() == pyatspi.ROLE_FRAME)
        self.pages = next(n for n in walk(frame) if n.getRole() == pyatspi.ROLE_LAYERED_PANE)
        self.buttons = [n for n in children(self.pages.parent) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
        client = self.pages.parent.parent
        panels = [n for n in children(client) if n.getRole() == pyatspi.ROLE_LABEL]
        self.language_panel, self.about_panel = panels
        self.frame = frame

    def page(self):
        shown = [i for i, page in enumerate(children(self.pages)) if showing(page)]
        return PAGES[shown[0]] if len(shown) == 1 else None

    def page_controls(self, page):
        node = children(self.pages)[PAGES.index(page)]
        controls = [n for n in walk(node) if n.getState().contains(pyatspi.STATE_FOCUSABLE)
                    and n.getRole() != pyatspi.ROLE_LIST and n.getRole() != pyatspi.ROLE_LIST_ITEM]
        return controls

    def emulator_items(self):
        combo = self.page_controls('F3')[0]
        view = next(n for n in walk(combo) if n.getRole() == pyatspi.ROLE_LIST)
        return children(view)

    def flags(self):
        return [n for n in children(self.language_panel) if n.getState().contains(pyatspi.STATE_FOCUSABLE)]

    def links(self):
        return [n for n in walk(self.about_panel) if n.getState().contains(pyatspi.STATE_FOCUSABLE)]


def expect(where, nodes, expected):
    """`expected`: (name, description) pairs, a description of None not checked, one that is not
    empty checked as the start of the description."""
    said = [(n.name, n.description) for n in nodes]
    report.append(f'{where}: ' + '; '.join(f'"{name}"' + (f' ({description})' if description else '')
                                          for name, description in said))
    if len(said) != len(expected):
        fail(where, f'{len(said)} controls, expected {len(expected)}: {said}')
        return
    for k, ((name, description), (want_name, want_description)) in enumerate(zip(said, expected)):
        if name != want_name:
            fail(where, f'control {k + 1} is named "{name}", expected "{want_name}"')
        if want_description is not None and not (description.startswith(want_description)
                                                 if want_description else description == ''):
            fail(where, f'control {k + 1} ("{name}") is described "{description}", expected "{want_description}"')


def expect_no_silent_control(where, wizard):
    """No control a user can reach shows without a name, wherever it stands in the tree."""
    for node in walk(wizard.frame):
        state = node.getState()
        reachable = state.contains(pyatspi.STATE_FOCUSABLE) or node.getRole() in INTERACTIVE_ROLES
        if reachable and state.contains(pyatspi.STATE_SHOWING) and node.getRole() != pyatspi.ROLE_LIST \
                and not node.name.strip():
            fail(where, f'a {node.getRoleName()} under "{node.parent.name or node.parent.getRoleName()}" has no name')


def labels(node):
    return [target.name for relation in node.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for target in (relation.getTarget(i) for i in range(relation.getNTargets()))]


def expect_list(where, combo, expected, picked):
    """On Linux Qt names a list by its pick, the purpose coming from its label: the page's title;
    with nothing picked, by its own name."""
    name, title = expected
    report.append(f'{where}: "{combo.name}" labelled by {labels(combo)}')
    want = picked or name
    if combo.name != want:
        fail(where, f'the list is named "{combo.name}", expected "{want}"')
    if labels(combo) != [title]:
        fail(where, f'the list is labelled by {labels(combo)}, expected "{title}"')


def expect_page(wizard, language, page, picked=None):
    names = NAMES[language]
    where = f'{language} {page}'
    expect_no_silent_control(where, wizard)
    if page in PICKS:
        expect_list(where, wizard.page_controls(page)[0], names[page][0], picked)
    else:
        expect(where, wizard.page_controls(page), names[page])
    buttons = list(names['buttons'])
    if page == 'F5':
        buttons[2] = names['finish']
    expect(f'{where} buttons', wizard.buttons, [(name, '') for name in buttons])
    if page == 'F3':
        expect(f'{where} emulator list', wizard.emulator_items(), names['emulators'])


def keys(*names):
    subprocess.run(['xdotool', 'key', '--delay', '50', *names], check=True)


def focus_window():
    subprocess.run(['xdotool', 'search', '--sync', '--onlyvisible', '--name', '^Zelvane v', 'windowfocus', '--sync'],
                   check=True, timeout=TIMEOUT)


def press(button):
    action = button.queryAction()
    action.doAction(next(i for i in range(action.nActions) if action.getName(i) == 'Press'))


def go(wizard, button, page):
    press(button)
    wait_for(f'page {page}', lambda: wizard.page() == page)


def choose_language(wizard, flag_keys, language):
    keys(*flag_keys)
    wait_for(f'the language panel to give way to {language}',
             lambda: not showing(wizard.language_panel) and wizard.buttons[0].name == NAMES[language]['buttons'][0])


def main():
    program = subprocess.Popen([sys.argv[1]], env=dict(os.environ, XDG_DATA_DIRS=sys.argv[2]))
    try:
        app = wait_for('the wizard on the accessibility bus', application)
        wizard = wait_for('the wizard window', lambda: Wizard(app))
        wait_for('the first run\'s language panel', lambda: showing(wizard.language_panel))
        focus_window()
        # The first run: the flags speak their own languages, and the wizard behind, not chosen
        # yet, speaks English, as the program does until French is chosen.
        expect('first run: language panel', wizard.flags(), FLAGS)
        expect_no_silent_control('first run', wizard)
        choose_language(wizard, ['Return'], 'FR')
        for language, flag_keys in (('FR', None), ('US', ['Tab', 'space'])):
            if flag_keys:
                keys('ctrl+l')
                wait_for('the language panel', lambda: showing(wizard.language_panel))
                expect(f'{language}: language panel', wizard.flags(), FLAGS)
                choose_language(wizard, flag_keys, language)
                # Switched on the last page: its names follow at once.
                expect_page(wizard, language, 'F5')
                for page in reversed(PAGES[:-1]):
                    go(wizard, wizard.buttons[1], page)
                    expect_page(wizard, language, page, PICKS.get(page))
            else:
                expect_page(wizard, language, 'F1')
                keys('Down')  # the list has the focus: picks the console
                for page, pick in (('F2', False), ('F3', True), ('F4', False), ('F5', False)):
                    wait_for('Next to be enabled', lambda: wizard.buttons[2].getState().contains(pyatspi.STATE_ENABLED))
                    go(wizard, wizard.buttons[2], page)
                    if pick:
                        keys('Down')  # picks the first emulator
                    expect_page(wizard, language, page, PICKS.get(page) if pick else None)
            keys('ctrl+a')
            wait_for('the About panel', lambda: showing(wizard.about_panel))
            expect(f'{language}: About panel', wizard.links(), NAMES[language]['about'])
            keys('Escape')
            wait_for('the About panel to close', lambda: not showing(wizard.about_panel))
    finally:
        program.terminate()
        program.wait(timeout=10)
    print('\n'.join(report))
    if failures:
        print(f'{len(failures)} failures:\n' + '\n'.join(failures))
        return 1
    print('every control has its name in both languages')
    return 0


if __name__ == '__main__':
    sys.exit(main())
