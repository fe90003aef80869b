<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Video game platform</source>
        <translation>Console</translation>
    </message>
    <message>
        <source>Emulator</source>
        <translation>Émulateur</translation>
    </message>
    <message>
        <source>No emulator</source>
        <translation>Aucun émulateur</translation>
    </message>
    <message>
        <source>No extension</source>
        <translation>Aucune extension</translation>
    </message>
    <message>
        <source>%1 ROMs</source>
        <translation>ROM %1</translation>
    </message>
    <message>
        <source>%1 save states</source>
        <translation>Sauvegardes %1</translation>
    </message>
    <message>
        <source>, also of another type</source>
        <translation>, aussi d&apos;un autre type</translation>
    </message>
    <message>
        <source>ROM icon</source>
        <translation>Icône des ROM</translation>
    </message>
    <message>
        <source>Save state icon</source>
        <translation>Icône des sauvegardes</translation>
    </message>
    <message>
        <source>%1: %2, icon %3</source>
        <translation>%1 : %2, icône %3</translation>
    </message>
    <message>
        <source>Opens the icon chooser.</source>
        <translation>Ouvre le choix des icônes.</translation>
    </message>
    <message>
        <source>Opens Zelvane&apos;s web site.</source>
        <translation>Ouvre le site web de Zelvane.</translation>
    </message>
    <message>
        <source>Writes an e-mail to the authors.</source>
        <translation>Écrit un courriel aux auteurs.</translation>
    </message>
    <message>
        <source>About Zelvane</source>
        <translation>À propos de Zelvane</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Print the program&apos;s name and version, then end.</source>
        <translation>Affiche le nom et la version du programme, puis s&apos;arrête.</translation>
    </message>
    <message>
        <source>Print this help, then end.</source>
        <translation>Affiche cette aide, puis s&apos;arrête.</translation>
    </message>
    <message>
        <source>List the associations: console, classes, extensions, command, icons, and whether each works on this desktop.</source>
        <translation>Liste les associations : console, classes, extensions, commande, icônes, et si chacune fonctionne sur ce bureau.</translation>
    </message>
    <message>
        <source>With --list or --emulators: print JSON, for scripts.</source>
        <translation>Avec --list ou --emulators : affiche du JSON, pour les scripts.</translation>
    </message>
    <message>
        <source>List the emulators of CONSOLE: the catalogue&apos;s commands, each with whether its program is found, then the installed applications that open its files.</source>
        <translation>Liste les émulateurs de CONSOLE : les commandes du catalogue, chacune avec si son programme est trouvé, puis les applications installées qui ouvrent ses fichiers.</translation>
    </message>
    <message>
        <source>Write the association of CONSOLE, as Finish writes it. By default: every extension of the console, its first emulator and its icons.</source>
        <translation>Écrit l&apos;association de CONSOLE, comme Terminer l&apos;écrit. Par défaut : toutes les extensions de la console, son premier émulateur et ses icônes.</translation>
    </message>
    <message>
        <source>With --associate: the console&apos;s emulator N of the catalogue (1 to 6).</source>
        <translation>Avec --associate : l&apos;émulateur N de la console dans le catalogue (1 à 6).</translation>
    </message>
    <message>
        <source>With --associate: this open command instead (&quot;%1&quot; stands for the file).</source>
        <translation>Avec --associate : cette commande d&apos;ouverture à la place (« %1 » désigne le fichier).</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXTE</translation>
    </message>
    <message>
        <source>With --associate: the command of this installed application, as --emulators lists it.</source>
        <translation>Avec --associate : la commande de cette application installée, comme --emulators la liste.</translation>
    </message>
    <message>
        <source>With --associate: only these ROM extensions, separated by commas.</source>
        <translation>Avec --associate : seulement ces extensions de ROM, séparées par des virgules.</translation>
    </message>
    <message>
        <source>With --associate: only these save-state extensions.</source>
        <translation>Avec --associate : seulement ces extensions de sauvegarde.</translation>
    </message>
    <message>
        <source>With --associate: the icon of ROM files, icon INDEX of FILE.</source>
        <translation>Avec --associate : l&apos;icône des ROM, l&apos;icône INDEX de FICHIER.</translation>
    </message>
    <message>
        <source>FILE,INDEX</source>
        <translation>FICHIER,INDEX</translation>
    </message>
    <message>
        <source>With --associate: the icon of save-state files.</source>
        <translation>Avec --associate : l&apos;icône des sauvegardes.</translation>
    </message>
    <message>
        <source>Remove the association of a console, or one class, and what points at it.</source>
        <translation>Supprime l&apos;association d&apos;une console, ou une classe, et ce qui la désigne.</translation>
    </message>
    <message>
        <source>CONSOLE|CLASS</source>
        <translation>CONSOLE|CLASSE</translation>
    </message>
    <message>
        <source>Put back what the last Finish, --associate or --remove changed, from its backup.</source>
        <translation>Remet ce que le dernier Terminer, --associate ou --remove a changé, depuis sa sauvegarde.</translation>
    </message>
    <message>
        <source>Associates console ROM and save-state files with an emulator.
Without options it opens the wizard. With --list, --emulators, --associate, --remove or --undo
it works without a window. Exit status: 0 done, 1 failed, 2 wrong command line.</source>
        <translation>Associe les fichiers ROM et de sauvegarde de consoles à un émulateur.
Sans option il ouvre l&apos;assistant. Avec --list, --emulators, --associate, --remove ou --undo
il travaille sans fenêtre. Code de sortie : 0 fait, 1 échec, 2 ligne de commande erronée.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argument inattendu « %1 ».</translation>
    </message>
    <message>
        <source>zelvane: %1
Try &apos;zelvane --help&apos; for the options.
</source>
        <translation>zelvane: %1
Essayez « zelvane --help » pour les options.
</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Option inconnue « %1 ».</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Valeur manquante après « %1 ».</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Valeur inattendue après « %1 ».</translation>
    </message>
    <message>
        <source>Give only one of --list, --emulators, --associate, --remove and --undo.</source>
        <translation>Donnez une seule des options --list, --emulators, --associate, --remove et --undo.</translation>
    </message>
    <message>
        <source>--json goes with --list or --emulators.</source>
        <translation>--json va avec --list ou --emulators.</translation>
    </message>
    <message>
        <source>--%1 goes with --associate.</source>
        <translation>--%1 va avec --associate.</translation>
    </message>
    <message>
        <source>Give --emulator or --command, not both.</source>
        <translation>Donnez --emulator ou --command, pas les deux.</translation>
    </message>
    <message>
        <source>--application gives the command itself: give it without --emulator or --command.</source>
        <translation>--application donne la commande elle-même : donnez-la sans --emulator ni --command.</translation>
    </message>
    <message>
        <source>--emulator takes a number from 1 to 6, not &apos;%1&apos;.</source>
        <translation>--emulator prend un nombre de 1 à 6, pas « %1 ».</translation>
    </message>
    <message>
        <source>Usage: zelvane [options]</source>
        <translation>Usage : zelvane [options]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options :</translation>
    </message>
</context>
<context>
    <name>CommandOutput</name>
    <message>
        <source>no ROM extension opens with %1</source>
        <translation>aucune extension de ROM ne s&apos;ouvre avec %1</translation>
    </message>
    <message>
        <source>%1 open with %2</source>
        <translation>%1 s&apos;ouvrent avec %2</translation>
    </message>
    <message>
        <source>; save states %1 registered with their icon</source>
        <translation> ; sauvegardes d&apos;état %1 enregistrées avec leur icône</translation>
    </message>
    <message>
        <source>Associated %1: %2%3
What it replaced is saved in %4; zelvane --undo puts it back.</source>
        <translation>%1 est associée : %2%3
Ce qu&apos;elle a remplacé est sauvegardé dans %4 ; zelvane --undo le remet.</translation>
    </message>
    <message>
        <source>zelvane: warning: %1
</source>
        <translation>zelvane: attention : %1
</translation>
    </message>
    <message>
        <source>Unknown console &apos;%1&apos;: the catalogue %2 lists none.</source>
        <translation>Console inconnue « %1 » : le catalogue %2 n&apos;en liste aucune.</translation>
    </message>
    <message>
        <source>Unknown console &apos;%1&apos;. The consoles of the catalogue are: %2.</source>
        <translation>Console inconnue « %1 ». Les consoles du catalogue sont : %2.</translation>
    </message>
    <message>
        <source>ROM</source>
        <translation>de ROM</translation>
    </message>
    <message>
        <source>save-state</source>
        <translation>de sauvegarde</translation>
    </message>
    <message>
        <source>The value of %1 cannot be stored in the registry: it holds a line break, a NUL or an unpaired surrogate.</source>
        <translation>La valeur de %1 ne peut pas être enregistrée dans le registre : elle contient un saut de ligne, un caractère NUL ou un demi-caractère UTF-16 isolé.</translation>
    </message>
    <message>
        <source>The catalogue gives %1 no emulator: give the command with --command.</source>
        <translation>Le catalogue ne donne aucun émulateur à %1 : donnez la commande avec --command.</translation>
    </message>
    <message>
        <source>%1 has no emulator %2. Its emulators are: %3.</source>
        <translation>%1 n&apos;a pas d&apos;émulateur %2. Ses émulateurs sont : %3.</translation>
    </message>
    <message>
        <source>No installed application has the desktop ID &apos;%1&apos;; zelvane --emulators CONSOLE lists those that open a console&apos;s files.</source>
        <translation>Aucune application installée n&apos;a l&apos;identifiant de bureau « %1 » ; zelvane --emulators CONSOLE liste celles qui ouvrent les fichiers d&apos;une console.</translation>
    </message>
    <message>
        <source>The application %1 (%2) opens no file: its Exec line has no %f, %F, %u or %U.</source>
        <translation>L&apos;application %1 (%2) n&apos;ouvre aucun fichier : sa ligne Exec n&apos;a ni %f, ni %F, ni %u, ni %U.</translation>
    </message>
    <message>
        <source>%1 has no %2 extension &apos;%3&apos;; its %2 extensions are: %4.</source>
        <translation>%1 n&apos;a pas d&apos;extension %2 « %3 » ; ses extensions %2 sont : %4.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>The catalogue gives %1 no icon number (%2=&quot;%3&quot;): choose one with --rom-icon or --save-icon.</source>
        <translation>Le catalogue ne donne pas de numéro d&apos;icône à %1 (%2=« %3 ») : choisissez-en une avec --rom-icon ou --save-icon.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no icon: give FILE,INDEX.</source>
        <translation>« %1 » n&apos;est pas une icône : donnez FICHIER,INDEX.</translation>
    </message>
    <message>
        <source>%1 holds no icon (%2).</source>
        <translation>%1 ne contient aucune icône (%2).</translation>
    </message>
    <message>
        <source>%1 has no icon %2; its icons are numbered 0 to %3.</source>
        <translation>%1 n&apos;a pas d&apos;icône %2 ; ses icônes sont numérotées de 0 à %3.</translation>
    </message>
    <message>
        <source>found</source>
        <translation>trouvé</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>introuvable</translation>
    </message>
    <message>
        <source>  catalogue emulators (--emulator N):
</source>
        <translation>  émulateurs du catalogue (--emulator N) :
</translation>
    </message>
    <message>
        <source>    none
</source>
        <translation>    aucune
</translation>
    </message>
    <message>
        <source>  file types:   %1
</source>
        <translation>  types :        %1
</translation>
    </message>
    <message>
        <source>  installed applications (--application ID):
</source>
        <translation>  applications installées (--application ID) :
</translation>
    </message>
    <message>
        <source>    %1 (%2): %3
</source>
        <translation>    %1 (%2) : %3
</translation>
    </message>
    <message>
        <source>opens no file</source>
        <translation>n&apos;ouvre aucun fichier</translation>
    </message>
    <message>
        <source>  console:      none
</source>
        <translation>  console :      aucune
</translation>
    </message>
    <message>
        <source>  files:        %1  %2
</source>
        <translation>  fichiers :     %1  %2
</translation>
    </message>
    <message>
        <source>  command:      %1
</source>
        <translation>  commande :     %1
</translation>
    </message>
    <message>
        <source>  icon:         %1
</source>
        <translation>  icône :        %1
</translation>
    </message>
    <message>
        <source>  ROM files:    %1  %2
</source>
        <translation>  ROM :          %1  %2
</translation>
    </message>
    <message>
        <source>  save states:  %1  %2
</source>
        <translation>  sauvegardes :  %1  %2
</translation>
    </message>
    <message>
        <source>  icons:        %1  %2
</source>
        <translation>  icônes :       %1  %2
</translation>
    </message>
    <message>
        <source>  works:        yes
</source>
        <translation>  fonctionne :   oui
</translation>
    </message>
    <message>
        <source>  works:        no
</source>
        <translation>  fonctionne :   non
</translation>
    </message>
    <message>
        <source>No association.
</source>
        <translation>Aucune association.
</translation>
    </message>
    <message>
        <source>Nothing is named &apos;%1&apos;: there is no association.</source>
        <translation>Rien ne s&apos;appelle « %1 » : il n&apos;y a aucune association.</translation>
    </message>
    <message>
        <source>Nothing is named &apos;%1&apos;. The consoles and classes are: %2.</source>
        <translation>Rien ne s&apos;appelle « %1 ». Les consoles et classes sont : %2.</translation>
    </message>
    <message>
        <source>zelvane: the key %1 was left as it is: its value is no longer the one Zelvane wrote.
</source>
        <translation>zelvane: la clé %1 a été laissée telle quelle : sa valeur n&apos;est plus celle que Zelvane a écrite.
</translation>
    </message>
    <message>
        <source>Removed %1: %2
What they held is saved in %3; zelvane --undo puts it back.</source>
        <translation>%1 est supprimée : %2
Ce qu&apos;elles contenaient est sauvegardé dans %3 ; zelvane --undo le remet.</translation>
    </message>
    <message>
        <source>Put back what was saved in %1.</source>
        <translation>Le contenu de %1 a été remis.</translation>
    </message>
</context>
<context>
    <name>ExtensionMarks</name>
    <message>
        <source>*.%1 files are also of the type “%2”, which %3 opens. Ticked, they become the console&apos;s files.</source>
        <translation>Les fichiers *.%1 sont aussi du type « %2 », qu&apos;ouvre %3. Cochés, ils deviennent des fichiers de la console.</translation>
    </message>
</context>
<context>
    <name>Failure</name>
    <message>
        <source>The key HKEY_CLASSES_ROOT\%1 cannot be stored in the registry: nothing was written.</source>
        <translation>La clé HKEY_CLASSES_ROOT\%1 ne peut pas être enregistrée dans le registre : rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>The value of the key HKEY_CLASSES_ROOT\%1 cannot be stored in the registry (it holds a line break, a NUL or an unpaired surrogate): nothing was written.</source>
        <translation>La valeur de la clé HKEY_CLASSES_ROOT\%1 ne peut pas être enregistrée dans le registre (elle contient un saut de ligne, un caractère NUL ou un demi-caractère UTF-16 isolé) : rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>The catalogue gives this console no class name (&quot;%1&quot;); the keys named after it were not written.</source>
        <translation>Le catalogue ne donne pas de nom de classe (« %1 ») à cette console ; les clés qui portent ce nom n&apos;ont pas été écrites.</translation>
    </message>
    <message>
        <source>The backup of the associations could not be saved as %1 (%2): nothing was changed.</source>
        <translation>La sauvegarde des associations n&apos;a pas pu être enregistrée sous %1 (%2) : rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>What Zelvane&apos;s %1 of %2 replaced: import this file to put it back.</source>
        <translation>Ce que « %1 » de Zelvane a remplacé le %2 : importez ce fichier pour le remettre.</translation>
    </message>
    <message>
        <source>The extension &quot;%1&quot; was taken from the class &quot;%2&quot;: its files now belong to the class &quot;%3&quot;.</source>
        <translation>L&apos;extension « %1 » a été prise à la classe « %2 » : ses fichiers appartiennent maintenant à la classe « %3 ».</translation>
    </message>
    <message>
        <source>The extension &quot;.%1&quot; now opens by default with the class &quot;%2&quot; instead of %3 (type %4), which &quot;Open With&quot; still offers.</source>
        <translation>L&apos;extension « .%1 » s&apos;ouvre maintenant par défaut avec la classe « %2 » au lieu de %3 (type %4), que « Ouvrir avec » propose toujours.</translation>
    </message>
    <message>
        <source>The key HKEY_CLASSES_ROOT\%1 could not be created (error %2).</source>
        <translation>La clé HKEY_CLASSES_ROOT\%1 n&apos;a pas pu être créée (erreur %2).</translation>
    </message>
    <message>
        <source>The value of the key HKEY_CLASSES_ROOT\%1 could not be set (error %2).</source>
        <translation>La valeur de la clé HKEY_CLASSES_ROOT\%1 n&apos;a pas pu être écrite (erreur %2).</translation>
    </message>
    <message>
        <source>The value of the key HKEY_CLASSES_ROOT\%1 could not be deleted (error %2).</source>
        <translation>La valeur de la clé HKEY_CLASSES_ROOT\%1 n&apos;a pas pu être supprimée (erreur %2).</translation>
    </message>
    <message>
        <source>The key HKEY_CLASSES_ROOT\%1 could not be read (error %2).</source>
        <translation>La clé HKEY_CLASSES_ROOT\%1 n&apos;a pas pu être lue (erreur %2).</translation>
    </message>
    <message>
        <source>The key HKEY_CLASSES_ROOT\%1 could not be deleted (error %2).</source>
        <translation>La clé HKEY_CLASSES_ROOT\%1 n&apos;a pas pu être supprimée (erreur %2).</translation>
    </message>
    <message>
        <source>The icon library Emul.icl could not be installed (%1). Keep Emul.icl in Zelvane&apos;s folder.</source>
        <translation>La bibliothèque d&apos;icônes Emul.icl n&apos;a pas pu être installée (%1). Laissez Emul.icl dans le dossier de Zelvane.</translation>
    </message>
    <message>
        <source>There is nothing to undo: %1 holds no backup.</source>
        <translation>Il n&apos;y a rien à annuler : %1 ne contient aucune sauvegarde.</translation>
    </message>
    <message>
        <source>The backup %1 could not be read (line %2: %3); nothing was changed.</source>
        <translation>La sauvegarde %1 n&apos;a pas pu être lue (ligne %2 : %3) ; rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The backup %1 is kept: zelvane --undo can try it again.</source>
        <translation>La sauvegarde %1 est gardée : zelvane --undo peut la réessayer.</translation>
    </message>
    <message>
        <source>What %1 held was put back, but the file could not be removed: move it away before the next --undo.</source>
        <translation>Le contenu de %1 a été remis, mais le fichier n&apos;a pas pu être supprimé : déplacez-le avant le prochain --undo.</translation>
    </message>
    <message>
        <source>The emulator &quot;%1&quot; of the class &quot;%2&quot; %3: the desktop will ignore this association.</source>
        <translation>L&apos;émulateur « %1 » de la classe « %2 » %3 : le bureau ignorera cette association.</translation>
    </message>
    <message>
        <source>Files of the class &quot;%1&quot; open with %2, not with its emulator.</source>
        <translation>Les fichiers de la classe « %1 » s&apos;ouvrent avec %2, pas avec son émulateur.</translation>
    </message>
    <message>
        <source>is a Windows program, which Linux cannot run</source>
        <translation>est un programme Windows, que Linux ne peut pas lancer</translation>
    </message>
    <message>
        <source>cannot be found on PATH</source>
        <translation>est introuvable dans le PATH</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>n&apos;existe pas</translation>
    </message>
    <message>
        <source>is not an executable program</source>
        <translation>n&apos;est pas un programme exécutable</translation>
    </message>
    <message>
        <source>The file type of the class &quot;%1&quot; is not in the desktop&apos;s MIME database.</source>
        <translation>Le type de fichier de la classe « %1 » n&apos;est pas dans la base MIME du bureau.</translation>
    </message>
    <message>
        <source>Files named *.%1 are given the type %2, not the type of the class &quot;%3&quot;.</source>
        <translation>Les fichiers nommés *.%1 reçoivent le type %2, pas celui de la classe « %3 ».</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>Could not create the folder %1</source>
        <translation>Impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Could not remove %1: %2</source>
        <translation>Impossible de supprimer %1 : %2</translation>
    </message>
    <message>
        <source>The icon &quot;%1&quot; of the class &quot;%2&quot; could not be used: %3</source>
        <translation>L&apos;icône « %1 » de la classe « %2 » n&apos;a pas pu servir : %3</translation>
    </message>
    <message>
        <source>it names no program</source>
        <translation>elle ne nomme aucun programme</translation>
    </message>
    <message>
        <source>the file stands where the program belongs</source>
        <translation>le fichier tient la place du programme</translation>
    </message>
    <message>
        <source>it holds a character that no program argument can carry</source>
        <translation>elle contient un caractère qu&apos;aucun argument de programme ne peut porter</translation>
    </message>
    <message>
        <source>its file type could not be published</source>
        <translation>son type de fichier n&apos;a pas pu être publié</translation>
    </message>
    <message>
        <source>The class &quot;%1&quot; was not published: a class name may neither begin with &apos;.&apos;, which marks an extension, nor hold &apos;\&apos;, which separates keys</source>
        <translation>La classe « %1 » n&apos;a pas été publiée : un nom de classe ne peut ni commencer par « . », qui marque une extension, ni contenir « \ », qui sépare les clés</translation>
    </message>
    <message>
        <source>The extension &quot;.%1&quot; of the class &quot;%2&quot; was not published: it holds a character that file name patterns reserve</source>
        <translation>L&apos;extension « .%1 » de la classe « %2 » n&apos;a pas été publiée : elle contient un caractère réservé des motifs de noms de fichiers</translation>
    </message>
    <message>
        <source>The open command &quot;%1&quot; of the class &quot;%2&quot; cannot be used on this desktop: %3</source>
        <translation>La commande d&apos;ouverture « %1 » de la classe « %2 » ne peut pas servir sur ce bureau : %3</translation>
    </message>
    <message>
        <source>What the change altered of the desktop could not be read from %1 (%2): the desktop is left as the hive says.</source>
        <translation>Ce que la modification a changé du bureau n&apos;a pas pu être lu dans %1 (%2) : le bureau reste tel que la base le dit.</translation>
    </message>
    <message>
        <source>%1 did not finish within %2 seconds</source>
        <translation>%1 n&apos;a pas fini en %2 secondes</translation>
    </message>
    <message>
        <source>Could not run %1: %2</source>
        <translation>Impossible de lancer %1 : %2</translation>
    </message>
    <message>
        <source>%1 stopped abnormally: %2</source>
        <translation>%1 s&apos;est arrêté anormalement : %2</translation>
    </message>
    <message>
        <source>%1 failed (exit code %2): %3</source>
        <translation>%1 a échoué (code de sortie %2) : %3</translation>
    </message>
    <message>
        <source>The emulator of the class &quot;%1&quot; cannot be found: the shell will not open its files.</source>
        <translation>L&apos;émulateur de la classe « %1 » est introuvable : l&apos;explorateur n&apos;ouvrira pas ses fichiers.</translation>
    </message>
    <message>
        <source>Files named *%1 open with %2, chosen in &quot;Open with&quot;, not with the class &quot;%3&quot;.</source>
        <translation>Les fichiers nommés *%1 s&apos;ouvrent avec %2, choisi dans « Ouvrir avec », pas avec la classe « %3 ».</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>ligne %1 : %2</translation>
    </message>
    <message>
        <source>The associations file %1 could not be read (%2). Nothing was written: the file was left as it is and the desktop was not changed. Correct the file or move it away, then finish the wizard again.</source>
        <translation>Le fichier des associations %1 n&apos;a pas pu être lu (%2). Rien n&apos;a été écrit : le fichier a été laissé tel quel et le bureau n&apos;a pas été modifié. Corrigez le fichier ou déplacez-le, puis terminez de nouveau l&apos;assistant.</translation>
    </message>
    <message>
        <source>Another change of the associations (process %1) holds %2: nothing was changed. Try again when it has ended.</source>
        <translation>Une autre modification des associations (processus %1) tient %2 : rien n&apos;a été modifié. Réessayez quand elle sera terminée.</translation>
    </message>
    <message>
        <source>The associations file %1 could not be locked: its lock file %1.lock cannot be written. Nothing was changed.</source>
        <translation>Le fichier des associations %1 n&apos;a pas pu être verrouillé : son fichier de verrou %1.lock ne peut pas être écrit. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>The associations could not be saved: the folder %1 cannot be created.</source>
        <translation>Les associations n&apos;ont pas pu être enregistrées : le dossier %1 ne peut pas être créé.</translation>
    </message>
    <message>
        <source>The associations could not be saved in %1 (%2).</source>
        <translation>Les associations n&apos;ont pas pu être enregistrées dans %1 (%2).</translation>
    </message>
    <message>
        <source>the first line is neither &quot;%1&quot; nor &quot;%2&quot;</source>
        <translation>la première ligne n&apos;est ni « %1 » ni « %2 »</translation>
    </message>
    <message>
        <source>the file ends in the middle of a UTF-16 character</source>
        <translation>le fichier se termine au milieu d&apos;un caractère UTF-16</translation>
    </message>
</context>
<context>
    <name>IconLibrary</name>
    <message>
        <source>group directory at offset %1 is cut off</source>
        <translation>le répertoire de groupe à la position %1 est tronqué</translation>
    </message>
    <message>
        <source>group directory at offset %1 lists %2 images, more than its %3 bytes hold</source>
        <translation>le répertoire de groupe à la position %1 annonce %2 images, plus que ses %3 octets n&apos;en contiennent</translation>
    </message>
    <message>
        <source>icon %1 at offset %2 (%3 bytes) is empty or cut off</source>
        <translation>l&apos;icône %1 à la position %2 (%3 octets) est vide ou tronquée</translation>
    </message>
    <message>
        <source>icon %1 is missing</source>
        <translation>l&apos;icône %1 manque</translation>
    </message>
    <message>
        <source>icon file lists 0 images</source>
        <translation>le fichier d&apos;icônes n&apos;annonce aucune image</translation>
    </message>
    <message>
        <source>icon file lists %1 images but holds only %2 bytes</source>
        <translation>le fichier d&apos;icônes annonce %1 images mais ne contient que %2 octets</translation>
    </message>
    <message>
        <source>image %1 at offset %2 (%3 bytes) lies outside the file</source>
        <translation>l&apos;image %1 à la position %2 (%3 octets) se trouve hors du fichier</translation>
    </message>
    <message>
        <source>neither an executable nor an icon file</source>
        <translation>ni un exécutable ni un fichier d&apos;icônes</translation>
    </message>
    <message>
        <source>DOS header cut off at byte %1</source>
        <translation>en-tête DOS tronqué à l&apos;octet %1</translation>
    </message>
    <message>
        <source>executable without a PE or NE header at offset %1</source>
        <translation>exécutable sans en-tête PE ou NE à la position %1</translation>
    </message>
    <message>
        <source>no icon group at position %1 (the library holds %2)</source>
        <translation>aucun groupe d&apos;icônes au rang %1 (la bibliothèque en contient %2)</translation>
    </message>
    <message>
        <source>icon group %1 has no readable image: %2</source>
        <translation>le groupe d&apos;icônes %1 n&apos;a aucune image lisible : %2</translation>
    </message>
    <message>
        <source>image at offset %1 in icon group %2 has no usable header (%3 x %4 pixels)</source>
        <translation>l&apos;image à la position %1 du groupe d&apos;icônes %2 n&apos;a pas d&apos;en-tête utilisable (%3 x %4 pixels)</translation>
    </message>
    <message>
        <source>image at offset %1 in icon group %2 cannot be decoded</source>
        <translation>l&apos;image à la position %1 du groupe d&apos;icônes %2 ne peut pas être décodée</translation>
    </message>
    <message>
        <source>this is a folder, not an icon file</source>
        <translation>c&apos;est un dossier, pas un fichier d&apos;icônes</translation>
    </message>
    <message>
        <source>not a regular file (a pipe, socket or device), so it holds no icons</source>
        <translation>ce n&apos;est pas un fichier ordinaire (un tube, une socket ou un périphérique) : il ne contient aucune icône</translation>
    </message>
    <message>
        <source>cannot open: %1</source>
        <translation>ouverture impossible : %1</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>the file holds no icon group</source>
        <translation>le fichier ne contient aucun groupe d&apos;icônes</translation>
    </message>
    <message>
        <source>the images of icon group %1 add up to %2 bytes, more than the file holds</source>
        <translation>les images du groupe d&apos;icônes %1 totalisent %2 octets, plus que le fichier n&apos;en contient</translation>
    </message>
    <message>
        <source>icon group %1 has no image %2 (it has %3)</source>
        <translation>le groupe d&apos;icônes %1 n&apos;a pas d&apos;image %2 (il en a %3)</translation>
    </message>
    <message>
        <source>NE header at offset %1 is cut off</source>
        <translation>l&apos;en-tête NE à la position %1 est tronqué</translation>
    </message>
    <message>
        <source>no resources (NE header at offset %1)</source>
        <translation>aucune ressource (en-tête NE à la position %1)</translation>
    </message>
    <message>
        <source>resource table at offset %1 lies past the end of the file</source>
        <translation>la table des ressources à la position %1 se trouve après la fin du fichier</translation>
    </message>
    <message>
        <source>resource alignment shift %1 at offset %2 is out of range</source>
        <translation>le décalage d&apos;alignement des ressources %1 à la position %2 est hors limites</translation>
    </message>
    <message>
        <source>resource table runs past the end of the file at offset %1</source>
        <translation>la table des ressources dépasse la fin du fichier à la position %1</translation>
    </message>
    <message>
        <source>resource type block at offset %1 is cut off</source>
        <translation>le bloc de type de ressource à la position %1 est tronqué</translation>
    </message>
    <message>
        <source>resource type block at offset %1 lists %2 resources, more than the file holds</source>
        <translation>le bloc de type de ressource à la position %1 annonce %2 ressources, plus que le fichier n&apos;en contient</translation>
    </message>
    <message>
        <source>resource name at offset %1 lies past the end of the file</source>
        <translation>le nom de ressource à la position %1 se trouve après la fin du fichier</translation>
    </message>
    <message>
        <source>PE file header at offset %1 is cut off</source>
        <translation>l&apos;en-tête de fichier PE à la position %1 est tronqué</translation>
    </message>
    <message>
        <source>PE optional header at offset %1 is cut off</source>
        <translation>l&apos;en-tête optionnel PE à la position %1 est tronqué</translation>
    </message>
    <message>
        <source>unknown PE optional header magic %1 at offset %2</source>
        <translation>signature d&apos;en-tête optionnel PE inconnue %1 à la position %2</translation>
    </message>
    <message>
        <source>no resource table (PE header at offset %1)</source>
        <translation>aucune table des ressources (en-tête PE à la position %1)</translation>
    </message>
    <message>
        <source>no resources (PE header at offset %1)</source>
        <translation>aucune ressource (en-tête PE à la position %1)</translation>
    </message>
    <message>
        <source>section table at offset %1 with %2 sections runs past the end of the file</source>
        <translation>la table des sections à la position %1, avec %2 sections, dépasse la fin du fichier</translation>
    </message>
    <message>
        <source>resource table address %1 lies in no section</source>
        <translation>l&apos;adresse de la table des ressources %1 ne se trouve dans aucune section</translation>
    </message>
    <message>
        <source>resource directory at offset %1 lies past the end of the file</source>
        <translation>le répertoire de ressources à la position %1 se trouve après la fin du fichier</translation>
    </message>
    <message>
        <source>resource directory at offset %1 lists %2 entries, more than the file holds</source>
        <translation>le répertoire de ressources à la position %1 annonce %2 entrées, plus que le fichier n&apos;en contient</translation>
    </message>
    <message>
        <source>resource name entry points at data, not at a language table</source>
        <translation>l&apos;entrée de nom de ressource désigne des données, pas une table de langues</translation>
    </message>
    <message>
        <source>language table at offset %1 is empty</source>
        <translation>la table de langues à la position %1 est vide</translation>
    </message>
    <message>
        <source>language table at offset %1 leads to another table (a loop in the resource tree?)</source>
        <translation>la table de langues à la position %1 mène à une autre table (une boucle dans l&apos;arbre des ressources ?)</translation>
    </message>
    <message>
        <source>resource data entry at offset %1 lies past the end of the file</source>
        <translation>l&apos;entrée de données de ressource à la position %1 se trouve après la fin du fichier</translation>
    </message>
    <message>
        <source>resource data at address %1 (%2 bytes) lies outside the file</source>
        <translation>les données de ressource à l&apos;adresse %1 (%2 octets) se trouvent hors du fichier</translation>
    </message>
</context>
<context>
    <name>ProgramFiles</name>
    <message>
        <source>cannot create the folder %1</source>
        <translation>impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>cannot write in the folder %1</source>
        <translation>impossible d&apos;écrire dans le dossier %1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation>impossible de remplacer %1</translation>
    </message>
    <message>
        <source>cannot create the link %1</source>
        <translation>impossible de créer le lien %1</translation>
    </message>
</context>
<context>
    <name>Zelvane15</name>
    <message>
        <source>Impossible to copy Emul.icl in your system directory.
Please let Emul.icl file in Zelvane directory.</source>
        <translation>Impossible de copier Emul.icl dans le répertoire System!
Veuillez laisser le fichier Emul.icl dans le même
répertoire que le programme Zelvane.</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Next ---&gt;</source>
        <translation>Suivant ---&gt;</translation>
    </message>
    <message>
        <source>Writing in registry
Please Wait...</source>
        <translation>Inscription dans la base
de registre en cours...</translation>
    </message>
    <message>
        <source>These associations could not be written:
</source>
        <translation>Ces associations n&apos;ont pas pu être écrites :
</translation>
    </message>
    <message>
        <source>These associations were written but may not work:
</source>
        <translation>Ces associations ont été écrites mais risquent de ne pas fonctionner :
</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Program found: %1</source>
        <translation>Programme trouvé : %1</translation>
    </message>
    <message>
        <source>Program not found: %1</source>
        <translation>Programme introuvable : %1</translation>
    </message>
</context>
<context>
    <name>icons::IconChooserDialog</name>
    <message>
        <source>Change Icon</source>
        <translation>Changer d&apos;icône</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir...</translation>
    </message>
    <message>
        <source>&amp;Look for icons in this file:</source>
        <translation>&amp;Rechercher les icônes dans ce fichier :</translation>
    </message>
    <message>
        <source>&amp;Select an icon from the list below:</source>
        <translation>&amp;Sélectionnez une icône dans la liste ci-dessous :</translation>
    </message>
    <message>
        <source>Icon files (*.icl *.dll *.exe *.ico);;All files (*)</source>
        <translation>Fichiers d&apos;icônes (*.icl *.dll *.exe *.ico);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>There are no icons in this file. Choose another one.
%1</source>
        <translation>Ce fichier ne contient aucune icône. Choisissez-en un autre.
%1</translation>
    </message>
    <message>
        <source>The path of %1 is too long: %2 characters, at most %3 can be used.</source>
        <translation>Le chemin de %1 est trop long : %2 caractères, %3 au plus sont possibles.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>icons::IconListModel</name>
    <message>
        <source>Icon %1 (%2)</source>
        <translation>Icône %1 (%2)</translation>
    </message>
    <message>
        <source>Icon %1 (ID %2)</source>
        <translation>Icône %1 (ID %2)</translation>
    </message>
</context>
</TS>
