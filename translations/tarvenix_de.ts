<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BannerView</name>
    <message>
        <source>Tarvenix</source>
        <translation>Tarvenix</translation>
    </message>
    <message>
        <source>Conquer the world, one turn at a time</source>
        <translation>Erobern Sie die Welt, Zug um Zug</translation>
    </message>
</context>
<context>
    <name>ButtonBar</name>
    <message>
        <source>Buttons</source>
        <translation>Knöpfe</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Leave</source>
        <translation>Verlassen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>Angriff</translation>
    </message>
    <message>
        <source>Do or Die</source>
        <translation>Blitz</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Ziehen</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cards</source>
        <translation>Karten</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Robot</source>
        <translation>Roboter</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>ChatBox</name>
    <message>
        <source>Nickname</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>Join/part messages</source>
        <translation>Kommen und Gehen zeigen</translation>
    </message>
    <message>
        <source>Whisper</source>
        <translation>Flüstern</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorieren</translation>
    </message>
</context>
<context>
    <name>ChatDialog</name>
    <message>
        <source>QtTarvenixGame -- Chat</source>
        <translation>QtTarvenixGame -- Chat</translation>
    </message>
    <message>
        <source>Global Chatbox</source>
        <translation>Allgemeiner Chat</translation>
    </message>
    <message>
        <source>Game Chatbox</source>
        <translation>Spiel-Chat</translation>
    </message>
    <message>
        <source>Members Chatbox</source>
        <translation>Mitglieder-Chat</translation>
    </message>
</context>
<context>
    <name>ColorConfig</name>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Player %1</source>
        <translation>Spieler %1</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
</context>
<context>
    <name>ColorEditor</name>
    <message>
        <source>Sample text</source>
        <translation>Beispieltext</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>Use this color</source>
        <translation>Diese Farbe verwenden</translation>
    </message>
</context>
<context>
    <name>ConfigDialog</name>
    <message>
        <source>QtTarvenixGame -- Configuration</source>
        <translation>QtTarvenixGame -- Einstellungen</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Schriften</translation>
    </message>
    <message>
        <source>Close window</source>
        <translation>Fenster schließen</translation>
    </message>
</context>
<context>
    <name>DemoRun</name>
    <message>
        <source>Demo</source>
        <translation>Demo</translation>
    </message>
    <message>
        <source>Watcher</source>
        <translation>Zuschauer</translation>
    </message>
    <message>
        <source>1 Board Street</source>
        <translation>Brettspielweg 1</translation>
    </message>
    <message>
        <source>Tarvenix</source>
        <translation>Tarvenix</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Lokal</translation>
    </message>
</context>
<context>
    <name>EditorContinue</name>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>EditorCountryContinent</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>EditorNameValue</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>The armies a player gets for holding the whole continent</source>
        <translation>Die Armeen, die ein Spieler für den ganzen Kontinent erhält</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>EditorPaintEraseContinue</name>
    <message>
        <source>Ctrl+Z takes a stroke back, Ctrl+Shift+Z makes it again.</source>
        <translation>Strg+Z nimmt einen Strich zurück, Strg+Umschalt+Z stellt ihn wieder her.</translation>
    </message>
    <message>
        <source>Paint</source>
        <translation>Zeichnen</translation>
    </message>
    <message>
        <source>Drag on the map to draw a line; an end near a point joins it.</source>
        <translation>Ziehen Sie auf der Karte eine Linie; ein Ende nahe einem Punkt wird mit ihm verbunden.</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Radieren</translation>
    </message>
    <message>
        <source>Click a point on the map to erase it with its lines.</source>
        <translation>Klicken Sie auf einen Punkt der Karte, um ihn samt seinen Linien zu löschen.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>EditorSlots</name>
    <message>
        <source>slot %1</source>
        <translation>Platz %1</translation>
    </message>
    <message>
        <source>Name of the map</source>
        <translation>Name der Karte</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>EditorSource</name>
    <message>
        <source>world</source>
        <translation>Welt</translation>
    </message>
    <message>
        <source>africa</source>
        <translation>Afrika</translation>
    </message>
    <message>
        <source>europe</source>
        <translation>Europa</translation>
    </message>
    <message>
        <source>north america</source>
        <translation>Nordamerika</translation>
    </message>
    <message>
        <source>united states</source>
        <translation>Vereinigte Staaten</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>EditorYesNo</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>FavouritesDialog</name>
    <message>
        <source>QtTarvenixGame -- Favourites</source>
        <translation>QtTarvenixGame -- Favoriten</translation>
    </message>
    <message>
        <source>Where do you want to store the current map?</source>
        <translation>Wo wollen Sie die aktuelle Karte speichern?</translation>
    </message>
    <message>
        <source>Empty slot</source>
        <translation>Leerer Platz</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 by %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>FontsConfig</name>
    <message>
        <source>Scheme:</source>
        <translation>Schema:</translation>
    </message>
    <message>
        <source>Chatbox</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Game output</source>
        <translation>Spielverlauf</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Schrift:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>AaBbCcDdEeFfGg</source>
        <translation>AaBbCcDdÄäÖöÜüß</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
</context>
<context>
    <name>GameItem</name>
    <message>
        <source>%1 by %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>HumanSpinBox</name>
    <message>
        <source>at least 1 human player</source>
        <translation>mindestens 1 menschlicher Spieler</translation>
    </message>
    <message>
        <source>at least %1 human players</source>
        <translation>mindestens %1 menschliche Spieler</translation>
    </message>
</context>
<context>
    <name>LoginDialog</name>
    <message>
        <source>QtTarvenixGame -- Login</source>
        <translation>QtTarvenixGame -- Anmeldung</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Verbinde mit %1...</translation>
    </message>
</context>
<context>
    <name>LoginDialogUI</name>
    <message>
        <source>&amp;Store my nickname and password on this computer</source>
        <translation>Nickname und Passwort auf diesem Computer &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Login</source>
        <translation>&amp;Anmelden</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>Your login information</source>
        <translation>Ihre Anmeldedaten</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>&amp;Nickname:</source>
        <translation>&amp;Nickname:</translation>
    </message>
    <message>
        <source>&amp;Register</source>
        <translation>&amp;Registrieren</translation>
    </message>
    <message>
        <source>Please enter your TarvenixOnline nickname and password.

If you do not already have a nickname, you can register one by
pressing the  Register button.</source>
        <translation>Bitte geben Sie Ihren TarvenixOnline-Nickname und Ihr Passwort ein.

Wenn Sie noch keinen Nickname haben, können Sie mit dem Knopf
Registrieren einen anlegen.</translation>
    </message>
</context>
<context>
    <name>Map</name>
    <message>
        <source>You should place %1 armies</source>
        <translation>Sie müssen %1 Armeen setzen</translation>
    </message>
    <message>
        <source>Armies</source>
        <translation>Armeen</translation>
    </message>
    <message>
        <source>Countries</source>
        <translation>Länder</translation>
    </message>
    <message>
        <source>%1 - %2 [%3]</source>
        <translation>%1 - %2 [%3]</translation>
    </message>
</context>
<context>
    <name>MapEditor</name>
    <message>
        <source>You are not in a game</source>
        <translation>Sie sind in keinem Spiel</translation>
    </message>
    <message>
        <source>Press the button to create your own flexible map</source>
        <translation>Drücken Sie den Knopf, um Ihre eigene flexible Karte zu erstellen</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 1</source>
        <translation>Ihre eigene flexible Karte: Schritt 1</translation>
    </message>
    <message>
        <source>Select the environment for your new map</source>
        <translation>Wählen Sie den Hintergrund für Ihre neue Karte</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 2</source>
        <translation>Ihre eigene flexible Karte: Schritt 2</translation>
    </message>
    <message>
        <source>Use your mouse to paint borders on the map</source>
        <translation>Zeichnen Sie mit der Maus Grenzen auf die Karte</translation>
    </message>
    <message>
        <source>Check the borders</source>
        <translation>Grenzen prüfen</translation>
    </message>
    <message>
        <source>Are the borders all right?</source>
        <translation>Sind die Grenzen in Ordnung?</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 3</source>
        <translation>Ihre eigene flexible Karte: Schritt 3</translation>
    </message>
    <message>
        <source>Enter the name and value of a continent</source>
        <translation>Geben Sie Name und Wert eines Kontinents ein</translation>
    </message>
    <message>
        <source>Do you want to create more continents?</source>
        <translation>Wollen Sie weitere Kontinente anlegen?</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 4</source>
        <translation>Ihre eigene flexible Karte: Schritt 4</translation>
    </message>
    <message>
        <source>Enter the name and continent of a country</source>
        <translation>Geben Sie Name und Kontinent eines Landes ein</translation>
    </message>
    <message>
        <source>Use the mouse to pick the area</source>
        <translation>Wählen Sie mit der Maus das Gebiet</translation>
    </message>
    <message>
        <source>Use the mouse to pick the text position</source>
        <translation>Wählen Sie mit der Maus die Position des Namens</translation>
    </message>
    <message>
        <source>Do you want to create more countries?</source>
        <translation>Wollen Sie weitere Länder anlegen?</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 5</source>
        <translation>Ihre eigene flexible Karte: Schritt 5</translation>
    </message>
    <message>
        <source>Use the mouse to paint lines between adjacent countries</source>
        <translation>Zeichnen Sie mit der Maus Linien zwischen Nachbarländern,</translation>
    </message>
    <message>
        <source>seperated by seas and oceans</source>
        <translation>die durch Meere und Ozeane getrennt sind</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 6</source>
        <translation>Ihre eigene flexible Karte: Schritt 6</translation>
    </message>
    <message>
        <source>Select the neighbours of:</source>
        <translation>Wählen Sie die Nachbarn von:</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 7</source>
        <translation>Ihre eigene flexible Karte: Schritt 7</translation>
    </message>
    <message>
        <source>Do you want to store the map?</source>
        <translation>Wollen Sie die Karte speichern?</translation>
    </message>
    <message>
        <source>Select a slotnumber and enter the name of the map</source>
        <translation>Wählen Sie einen Platz und geben Sie den Namen der Karte ein</translation>
    </message>
    <message>
        <source>Undo stroke</source>
        <translation>Strich zurücknehmen</translation>
    </message>
    <message>
        <source>Redo stroke</source>
        <translation>Strich wiederherstellen</translation>
    </message>
</context>
<context>
    <name>Marquee</name>
    <message>
        <source>Thank you for trying Tarvenix!</source>
        <translation>Danke, dass Sie Tarvenix ausprobieren!</translation>
    </message>
    <message>
        <source>Tarvenix is a free online board game.</source>
        <translation>Tarvenix ist ein kostenloses Online-Brettspiel.</translation>
    </message>
    <message>
        <source>Thousands of people around the world play it every day.</source>
        <translation>Tausende Menschen auf der ganzen Welt spielen es jeden Tag.</translation>
    </message>
    <message>
        <source>If you like the game, please pass the program on to your friends.</source>
        <translation>Wenn Ihnen das Spiel gefällt, geben Sie das Programm bitte an Ihre Freunde weiter.</translation>
    </message>
    <message>
        <source>You can support Tarvenix by becoming a member for one year.</source>
        <translation>Sie können Tarvenix unterstützen, indem Sie für ein Jahr Mitglied werden.</translation>
    </message>
    <message>
        <source>A membership costs 25 dollars or 25 euros.</source>
        <translation>Eine Mitgliedschaft kostet 25 Dollar oder 25 Euro.</translation>
    </message>
    <message>
        <source>Running the game servers around the clock is costly.</source>
        <translation>Die Spielserver rund um die Uhr zu betreiben, ist teuer.</translation>
    </message>
    <message>
        <source>Members enjoy a number of privileges.</source>
        <translation>Mitglieder genießen eine Reihe von Vorteilen.</translation>
    </message>
    <message>
        <source>Members can play through our web site without installing the program.</source>
        <translation>Mitglieder können über unsere Website spielen, ohne das Programm zu installieren.</translation>
    </message>
    <message>
        <source>Members have a chatbox of their own.</source>
        <translation>Mitglieder haben einen eigenen Chat.</translation>
    </message>
    <message>
        <source>Members can store the nicknames and internet addresses of their friends and enemies.</source>
        <translation>Mitglieder können die Nicknames und Internetadressen ihrer Freunde und Feinde speichern.</translation>
    </message>
    <message>
        <source>Members see the full host names of their opponents.</source>
        <translation>Mitglieder sehen die vollständigen Hostnamen ihrer Gegner.</translation>
    </message>
    <message>
        <source>Members are not shown the banner and this message.</source>
        <translation>Mitglieder sehen weder das Banner noch diese Nachricht.</translation>
    </message>
    <message>
        <source>Members can vote for the admins.</source>
        <translation>Mitglieder können die Admins wählen.</translation>
    </message>
    <message>
        <source>More privileges are listed on www.tarvenix.example.</source>
        <translation>Weitere Vorteile finden Sie auf www.tarvenix.example.</translation>
    </message>
    <message>
        <source>For more information visit www.tarvenix.example.</source>
        <translation>Mehr erfahren Sie auf www.tarvenix.example.</translation>
    </message>
    <message>
        <source>Questions? Write to support@tarvenix.example.</source>
        <translation>Fragen? Schreiben Sie an support@tarvenix.example.</translation>
    </message>
</context>
<context>
    <name>MasksWidget</name>
    <message>
        <source>Masks</source>
        <translation>Masken</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Mask</source>
        <translation>Maske</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>A mask is nickname@host, where * stands for any text and ? for any one character, for example &quot;bob@*&quot;.</source>
        <translation>Eine Maske hat die Form nickname@host, wobei * für beliebigen Text und ? für genau ein beliebiges Zeichen steht, zum Beispiel „bob@*“.</translation>
    </message>
    <message>
        <source>nickname@host</source>
        <translation>nickname@host</translation>
    </message>
    <message>
        <source>Friend</source>
        <translation>Freund</translation>
    </message>
    <message>
        <source>Enemy</source>
        <translation>Feind</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Users...</source>
        <translation>Benutzer...</translation>
    </message>
    <message>
        <source>friend</source>
        <translation>Freund</translation>
    </message>
    <message>
        <source>enemy</source>
        <translation>Feind</translation>
    </message>
</context>
<context>
    <name>Move</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>NewGameDialog</name>
    <message>
        <source>QtTarvenixGame -- New Game</source>
        <translation>QtTarvenixGame -- Neues Spiel</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Zeitlimit</translation>
    </message>
    <message>
        <source>Maps</source>
        <translation>Karten</translation>
    </message>
    <message>
        <source>New game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Choose a map on the Maps tab to start a game.</source>
        <translation>Wählen Sie auf der Seite Karten eine Karte, um ein Spiel zu starten.</translation>
    </message>
</context>
<context>
    <name>NewGameMaps</name>
    <message>
        <source>Popular maps</source>
        <translation>Beliebte Karten</translation>
    </message>
    <message>
        <source>Personal maps</source>
        <translation>Eigene Karten</translation>
    </message>
    <message>
        <source>Empty slot</source>
        <translation>Leerer Platz</translation>
    </message>
    <message>
        <source>%1 by %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>NewGameOptions</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Place before attack</source>
        <translation>Setzen vor dem Angriff</translation>
    </message>
    <message>
        <source>Capitals</source>
        <translation>Hauptstädte</translation>
    </message>
    <message>
        <source>Allow players from the same hosts</source>
        <translation>Spieler vom selben Host zulassen</translation>
    </message>
    <message>
        <source>Replace leaving players by robots</source>
        <translation>Spieler beim Verlassen durch Roboter ersetzen</translation>
    </message>
    <message>
        <source>Increasing value for set of cards</source>
        <translation>Steigender Wert für Kartensätze</translation>
    </message>
    <message>
        <source>Hide cards</source>
        <translation>Karten verbergen</translation>
    </message>
    <message>
        <source>Disable whispering</source>
        <translation>Flüstern verbieten</translation>
    </message>
    <message>
        <source>Blind map</source>
        <translation>Blinde Karte</translation>
    </message>
    <message>
        <source>Allow gifts</source>
        <translation>Geschenke erlauben</translation>
    </message>
    <message>
        <source>Receive cards of defeated players</source>
        <translation>Karten besiegter Spieler erhalten</translation>
    </message>
    <message>
        <source>Only players from the same level</source>
        <translation>Nur Spieler derselben Stufe</translation>
    </message>
    <message>
        <source>No robots in the game</source>
        <translation>Keine Roboter im Spiel</translation>
    </message>
</context>
<context>
    <name>NewGameTimer</name>
    <message>
        <source>When the timer expires...</source>
        <translation>Wenn die Zeit abläuft...</translation>
    </message>
    <message>
        <source>Kick current player out of the game</source>
        <translation>Aktuellen Spieler aus dem Spiel werfen</translation>
    </message>
    <message>
        <source>Kick current player out of the game if he was inactive during his turn</source>
        <translation>Aktuellen Spieler hinauswerfen, wenn er in seinem Zug untätig war</translation>
    </message>
    <message>
        <source>Finish the turn of the current player</source>
        <translation>Den Zug des aktuellen Spielers beenden</translation>
    </message>
    <message>
        <source>More options</source>
        <translation>Weitere Optionen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Achtung</translation>
    </message>
    <message>
        <source>A turn of a non-member never lasts longer than one minute and a non-
member is always kicked out of the game when the timer expires,
regardless of the settings of the game.

</source>
        <translation>Der Zug eines Nichtmitglieds dauert nie länger als eine Minute, und
ein Nichtmitglied fliegt immer aus dem Spiel, wenn die Zeit abläuft,
ganz gleich, wie das Spiel eingestellt ist.

</translation>
    </message>
    <message>
        <source>Visit %1 for more information about becoming a member.</source>
        <translation>Auf %1 erfahren Sie mehr über die Mitgliedschaft.</translation>
    </message>
</context>
<context>
    <name>Question</name>
    <message>
        <source>QtTarvenixGame -- Question</source>
        <translation>QtTarvenixGame -- Frage</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>RatingSpinBox</name>
    <message>
        <source>No rating range</source>
        <translation>Kein Wertungsbereich</translation>
    </message>
    <message>
        <source>Rating range: %1 points</source>
        <translation>Wertungsbereich: %1 Punkte</translation>
    </message>
</context>
<context>
    <name>RegisterDialog</name>
    <message>
        <source>QtTarvenixGame -- Registration</source>
        <translation>QtTarvenixGame -- Registrierung</translation>
    </message>
    <message>
        <source>
Please enter your desired username and password and supply some personal
contact information. The contact information will not be used for commercial
activities, nor will it ever be available to other parties. The supplied information
will be removed after two months of inactivity.
</source>
        <translation>
Bitte geben Sie den gewünschten Benutzernamen, ein Passwort und einige persönliche
Kontaktdaten ein. Die Kontaktdaten werden weder für kommerzielle Zwecke verwendet
noch jemals an Dritte weitergegeben. Die Angaben werden nach zwei Monaten
ohne Aktivität gelöscht.
</translation>
    </message>
    <message>
        <source>Login information</source>
        <translation>Anmeldedaten</translation>
    </message>
    <message>
        <source>Personal information</source>
        <translation>Persönliche Angaben</translation>
    </message>
    <message>
        <source>Preferred &amp;nickname:</source>
        <translation>Gewünschter &amp;Nickname:</translation>
    </message>
    <message>
        <source>&amp;First name:</source>
        <translation>&amp;Vorname:</translation>
    </message>
    <message>
        <source>&amp;Last name:</source>
        <translation>N&amp;achname:</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>A&amp;dresse:</translation>
    </message>
    <message>
        <source>&amp;Zipcode:</source>
        <translation>&amp;Postleitzahl:</translation>
    </message>
    <message>
        <source>C&amp;ity:</source>
        <translation>&amp;Ort:</translation>
    </message>
    <message>
        <source>S&amp;tate or province:</source>
        <translation>&amp;Bundesland oder Provinz:</translation>
    </message>
    <message>
        <source>C&amp;ountry:</source>
        <translation>&amp;Land:</translation>
    </message>
    <message>
        <source>E-&amp;mail:</source>
        <translation>&amp;E-Mail:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>Pass&amp;wort:</translation>
    </message>
    <message>
        <source>R&amp;epeat password:</source>
        <translation>Passwort wieder&amp;holen:</translation>
    </message>
    <message>
        <source>%1 to %2 letters, digits, &apos;-&apos; and &apos;_&apos;</source>
        <translation>%1 bis %2 Buchstaben, Ziffern, „-“ und „_“</translation>
    </message>
    <message>
        <source>&amp;Register</source>
        <translation>&amp;Registrieren</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>Please fill in the fields marked in red.</source>
        <translation>Bitte füllen Sie die rot markierten Felder aus.</translation>
    </message>
    <message>
        <source>Please enter a password and repeat it.</source>
        <translation>Bitte geben Sie ein Passwort ein und wiederholen Sie es.</translation>
    </message>
    <message>
        <source>The two passwords differ: please type the same password twice.</source>
        <translation>Die beiden Passwörter unterscheiden sich: Bitte geben Sie zweimal dasselbe Passwort ein.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Verbinde mit %1...</translation>
    </message>
</context>
<context>
    <name>RobotDialog</name>
    <message>
        <source>QtTarvenixGame -- Robots</source>
        <translation>QtTarvenixGame -- Roboter</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Besitzer</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Wertung</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Spiele</translation>
    </message>
    <message>
        <source>Add to game</source>
        <translation>Zum Spiel hinzufügen</translation>
    </message>
</context>
<context>
    <name>ScriptHost</name>
    <message>
        <source>Error in %1: %2 (%3)</source>
        <translation>Fehler in %1: %2 (%3)</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Fehler: %1</translation>
    </message>
</context>
<context>
    <name>Splash</name>
    <message>
        <source>Tarvenix</source>
        <translation>Tarvenix</translation>
    </message>
    <message>
        <source>The territory-conquest board game</source>
        <translation>Das Brettspiel der Eroberungen</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Wird geladen...</translation>
    </message>
</context>
<context>
    <name>Tarvenix</name>
    <message>
        <source>QtTarvenixGame -- Game</source>
        <translation>QtTarvenixGame -- Spiel</translation>
    </message>
    <message>
        <source>Game output</source>
        <translation>Spielverlauf</translation>
    </message>
    <message>
        <source>Leave the game</source>
        <translation>Spiel verlassen</translation>
    </message>
    <message>
        <source>Do you really want to leave your current game?</source>
        <translation>Wollen Sie das laufende Spiel wirklich verlassen?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Do you really want to log out?</source>
        <translation>Wollen Sie sich wirklich abmelden?</translation>
    </message>
    <message>
        <source>The map %1 is stored in slot %2</source>
        <translation>Die Karte %1 ist in Platz %2 gespeichert</translation>
    </message>
    <message>
        <source>The server did not store the map %1</source>
        <translation>Der Server hat die Karte %1 nicht gespeichert</translation>
    </message>
    <message>
        <source>robot</source>
        <translation>Roboter</translation>
    </message>
    <message>
        <source>Player %1: %2 (%3)</source>
        <translation>Spieler %1: %2 (%3)</translation>
    </message>
    <message>
        <source>Player %1 is replaced by the robot %2</source>
        <translation>Spieler %1 wird durch den Roboter %2 ersetzt</translation>
    </message>
    <message>
        <source>%1 must exchange cards</source>
        <translation>%1 muss Karten eintauschen</translation>
    </message>
    <message>
        <source>%1 receives %2 armies for exchanging cards</source>
        <translation>%1 erhält %2 Armeen für eingetauschte Karten</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>The connection with the server has been lost</source>
        <translation>Die Verbindung zum Server ist abgebrochen</translation>
    </message>
    <message>
        <source>Stopped connecting to %1</source>
        <translation>Verbindungsaufbau zu %1 abgebrochen</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Verbinde mit %1...</translation>
    </message>
    <message>
        <source>Could not connect to %1: %2</source>
        <translation>Keine Verbindung zu %1: %2</translation>
    </message>
    <message>
        <source>the server did not answer</source>
        <translation>der Server hat nicht geantwortet</translation>
    </message>
    <message>
        <source>Welcome %1</source>
        <translation>Willkommen, %1</translation>
    </message>
    <message>
        <source>Registration failed: invalid nickname</source>
        <translation>Registrierung fehlgeschlagen: ungültiger Nickname</translation>
    </message>
    <message>
        <source>This program is out of date</source>
        <translation>Dieses Programm ist veraltet</translation>
    </message>
    <message>
        <source>Please visit www.tarvenix.example and download the latest version</source>
        <translation>Bitte laden Sie die neueste Version von www.tarvenix.example herunter</translation>
    </message>
    <message>
        <source>The server is closing down...</source>
        <translation>Der Server wird heruntergefahren...</translation>
    </message>
    <message>
        <source>Unknown opcode: %1</source>
        <translation>Unbekannter Opcode: %1</translation>
    </message>
    <message>
        <source>Robot error: %1: %2</source>
        <translation>Roboterfehler: %1: %2</translation>
    </message>
    <message>
        <source>You should place %1 armies</source>
        <translation>Sie müssen %1 Armeen setzen</translation>
    </message>
    <message>
        <source>All players receive %1 armies</source>
        <translation>Alle Spieler erhalten %1 Armeen</translation>
    </message>
    <message>
        <source>Please pick your capital</source>
        <translation>Bitte wählen Sie Ihre Hauptstadt</translation>
    </message>
    <message>
        <source>%1 should place %2 armies</source>
        <translation>%1 muss %2 Armeen setzen</translation>
    </message>
    <message>
        <source>%1 should choose: Place %2 armies or attack</source>
        <translation>%1 muss wählen: %2 Armeen setzen oder angreifen</translation>
    </message>
    <message>
        <source>%1 attacks %2 (do or die!)</source>
        <translation>%1 greift %2 an (alles oder nichts!)</translation>
    </message>
    <message>
        <source>%1 attacks %2 with 1 die</source>
        <translation>%1 greift %2 mit 1 Würfel an</translation>
    </message>
    <message>
        <source>%1 attacks %2 with %3 dice</source>
        <translation>%1 greift %2 mit %3 Würfeln an</translation>
    </message>
    <message>
        <source>%1 has won the game</source>
        <translation>%1 hat das Spiel gewonnen</translation>
    </message>
</context>
<context>
    <name>TimeoutSpinBox</name>
    <message>
        <source>Timeout %1 minutes</source>
        <translation>Zeitlimit %1 Minuten</translation>
    </message>
</context>
<context>
    <name>UserItem</name>
    <message>
        <source>Nickname</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Wertung</translation>
    </message>
    <message>
        <source>Lvl</source>
        <translation>St.</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Spiele</translation>
    </message>
</context>
<context>
    <name>UsersDialog</name>
    <message>
        <source>QtTarvenixGame -- Games &amp; Users</source>
        <translation>QtTarvenixGame -- Spiele und Benutzer</translation>
    </message>
</context>
<context>
    <name>UsersWidget</name>
    <message>
        <source>No robots in this game</source>
        <translation>Keine Roboter in diesem Spiel</translation>
    </message>
    <message>
        <source>Only players of the same level allowed</source>
        <translation>Nur Spieler derselben Stufe zugelassen</translation>
    </message>
    <message>
        <source>Obtain cards from defeated players</source>
        <translation>Karten besiegter Spieler erhalten</translation>
    </message>
    <message>
        <source>Disconnected players are replaced by robots</source>
        <translation>Getrennte Spieler werden durch Roboter ersetzt</translation>
    </message>
    <message>
        <source>Players from the same host allowed</source>
        <translation>Spieler vom selben Host zugelassen</translation>
    </message>
    <message>
        <source>Number of cards is hidden</source>
        <translation>Kartenzahl ist verborgen</translation>
    </message>
    <message>
        <source>Whispering not allowed</source>
        <translation>Flüstern nicht erlaubt</translation>
    </message>
    <message>
        <source>With gifts</source>
        <translation>Mit Geschenken</translation>
    </message>
    <message>
        <source>Value for exchanged cards increases</source>
        <translation>Wert eingetauschter Karten steigt</translation>
    </message>
    <message>
        <source>Blind map</source>
        <translation>Blinde Karte</translation>
    </message>
    <message>
        <source>With capitals</source>
        <translation>Mit Hauptstädten</translation>
    </message>
    <message>
        <source>Place armies before attack</source>
        <translation>Armeen vor dem Angriff setzen</translation>
    </message>
    <message>
        <source>Observer</source>
        <translation>Zuschauer</translation>
    </message>
    <message>
        <source>Robot player</source>
        <translation>Roboter</translation>
    </message>
    <message>
        <source>Disconnected player</source>
        <translation>Getrennter Spieler</translation>
    </message>
    <message>
        <source>Human player</source>
        <translation>Menschlicher Spieler</translation>
    </message>
    <message>
        <source>Game is waiting for players</source>
        <translation>Spiel wartet auf Spieler</translation>
    </message>
    <message>
        <source>Game is running</source>
        <translation>Spiel läuft</translation>
    </message>
    <message>
        <source>Timer expires: current player is kicked out of the game</source>
        <translation>Zeit abgelaufen: aktueller Spieler fliegt aus dem Spiel</translation>
    </message>
    <message>
        <source>Timer expires: player is kicked is he was inactive</source>
        <translation>Zeit abgelaufen: Spieler fliegt, wenn er untätig war</translation>
    </message>
    <message>
        <source>Timer expires: next turn starts</source>
        <translation>Zeit abgelaufen: nächster Zug beginnt</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Spiele</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Icon Legend</source>
        <translation>Symbolerklärung</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Spielleiter</translation>
    </message>
    <message>
        <source>H</source>
        <translation>M</translation>
    </message>
    <message>
        <source>T</source>
        <translation>Z</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Wertung</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>The least number of human players the game needs</source>
        <translation>Mindestzahl menschlicher Spieler für das Spiel</translation>
    </message>
    <message>
        <source>Time for a turn, in minutes and seconds</source>
        <translation>Zeit für einen Zug, in Minuten und Sekunden</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>Hostname</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Zuschauen</translation>
    </message>
    <message>
        <source>Kick</source>
        <translation>Rauswerfen</translation>
    </message>
    <message>
        <source>New...</source>
        <translation>Neu...</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
</context>
<context>
    <name>WhisperBox</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Tarvenix, the territory-conquest board game.</source>
        <translation>Tarvenix, das Brettspiel der Eroberungen.</translation>
    </message>
    <message>
        <source>Connect to the game server at &lt;host[:port]&gt; (default %1:%2; the environment variable TARVENIX_SERVER does the same).</source>
        <translation>Mit dem Spielserver unter &lt;host[:port]&gt; verbinden (Vorgabe %1:%2; die Umgebungsvariable TARVENIX_SERVER bewirkt dasselbe).</translation>
    </message>
    <message>
        <source>Show the banner page at &lt;url&gt;.</source>
        <translation>Die Bannerseite unter &lt;url&gt; zeigen.</translation>
    </message>
    <message>
        <source>Watch robots play a whole game on World: log in as &quot;%1&quot; (registered on first use), open a game with three robots and watch it.</source>
        <translation>Robotern bei einem ganzen Spiel auf der Weltkarte zusehen: als „%1“ anmelden (beim ersten Mal registriert), ein Spiel mit drei Robotern eröffnen und zuschauen.</translation>
    </message>
    <message>
        <source>Not a server address: %1</source>
        <translation>Keine Serveradresse: %1</translation>
    </message>
</context>
</TS>
