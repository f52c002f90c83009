<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AlertsConfig</name>
    <message>
        <source>When the game asks something of you while its window is in the background:</source>
        <translation>Wenn das Spiel etwas von Ihnen möchte, während sein Fenster im Hintergrund ist:</translation>
    </message>
    <message>
        <source>Flash the window in the task bar</source>
        <translation>Das Fenster in der Taskleiste blinken lassen</translation>
    </message>
    <message>
        <source>Show a desktop notification</source>
        <translation>Eine Desktop-Benachrichtigung zeigen</translation>
    </message>
    <message>
        <source>Play a short sound</source>
        <translation>Einen kurzen Ton abspielen</translation>
    </message>
    <message>
        <source>Listen</source>
        <translation>Anhören</translation>
    </message>
</context>
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
    <name>BoardPanel</name>
    <message>
        <source>Leave game</source>
        <translation>Spiel verlassen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
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
    <message>
        <source>Opens the chat window</source>
        <translation>Öffnet das Chatfenster</translation>
    </message>
    <message>
        <source>Opens the games and users: join, watch or open a game, or play against robots</source>
        <translation>Öffnet Spiele und Benutzer: einem Spiel beitreten, zuschauen, eines eröffnen oder gegen Roboter spielen</translation>
    </message>
    <message>
        <source>Leaves the game you are in; outside a game, logs out</source>
        <translation>Verlässt das laufende Spiel; außerhalb eines Spiels meldet es Sie ab</translation>
    </message>
    <message>
        <source>Starts the game you opened</source>
        <translation>Startet das Spiel, das Sie eröffnet haben</translation>
    </message>
    <message>
        <source>Places your armies now; after that you may still attack</source>
        <translation>Setzt jetzt Ihre Armeen; danach können Sie noch angreifen</translation>
    </message>
    <message>
        <source>Attacks with one roll of the dice: click one of your countries, then an enemy neighbour</source>
        <translation>Greift mit einem Wurf an: Klicken Sie eines Ihrer Länder an, dann ein feindliches Nachbarland</translation>
    </message>
    <message>
        <source>Attacks until the country falls or only one army is left to attack with</source>
        <translation>Greift an, bis das Land fällt oder nur noch eine Armee zum Angreifen bleibt</translation>
    </message>
    <message>
        <source>Ends your attacks: click two of your neighbouring countries to move armies between them</source>
        <translation>Beendet Ihre Angriffe: Klicken Sie zwei benachbarte eigene Länder an, um Armeen zwischen ihnen zu verschieben</translation>
    </message>
    <message>
        <source>Ends your turn</source>
        <translation>Beendet Ihren Zug</translation>
    </message>
    <message>
        <source>Keeps this game&apos;s map in one of your personal map slots</source>
        <translation>Speichert die Karte dieses Spiels auf einem Ihrer persönlichen Kartenplätze</translation>
    </message>
    <message>
        <source>Trades the three cards you selected for armies</source>
        <translation>Tauscht die drei gewählten Karten gegen Armeen ein</translation>
    </message>
    <message>
        <source>Sets the seats&apos; colours and the fonts</source>
        <translation>Legt die Farben der Plätze und die Schriften fest</translation>
    </message>
    <message>
        <source>Adds a robot player to the game you opened</source>
        <translation>Fügt dem Spiel, das Sie eröffnet haben, einen Roboter hinzu</translation>
    </message>
    <message>
        <source>A whisper arrived while the chat window was closed</source>
        <translation>Eine geflüsterte Nachricht kam, während das Chatfenster geschlossen war</translation>
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
    <name>ChatView</name>
    <message>
        <source>New lines</source>
        <translation>Neue Zeilen</translation>
    </message>
</context>
<context>
    <name>ClickHint</name>
    <message>
        <source>Pick your capital: click one of your countries</source>
        <translation>Wählen Sie Ihre Hauptstadt: Klicken Sie eines Ihrer Länder an</translation>
    </message>
    <message>
        <source>Place your armies: left click one of your countries for one army, right click for all that are left</source>
        <translation>Setzen Sie Ihre Armeen: Linksklick auf eines Ihrer Länder für eine Armee, Rechtsklick für alle übrigen</translation>
    </message>
    <message>
        <source>Click an enemy neighbour of %1 to attack it, or %1 again to choose another country</source>
        <translation>Klicken Sie einen feindlichen Nachbarn von %1 an, um ihn anzugreifen, oder nochmals %1, um ein anderes Land zu wählen</translation>
    </message>
    <message>
        <source>Do or die: click one of your countries with at least two armies, then an enemy neighbour; the dice roll until one side is beaten</source>
        <translation>Blitz: Klicken Sie eines Ihrer Länder mit mindestens zwei Armeen an, dann einen feindlichen Nachbarn; gewürfelt wird, bis eine Seite geschlagen ist</translation>
    </message>
    <message>
        <source>Click one of your countries with at least two armies, then an enemy neighbour</source>
        <translation>Klicken Sie eines Ihrer Länder mit mindestens zwei Armeen an, dann einen feindlichen Nachbarn</translation>
    </message>
    <message>
        <source>Click one of your countries next to %1 to move armies there, or %1 again to choose another country</source>
        <translation>Klicken Sie ein eigenes Land neben %1 an, um Armeen dorthin zu ziehen, oder nochmals %1, um ein anderes Land zu wählen</translation>
    </message>
    <message>
        <source>Move: click one of your countries with at least two armies, then one of your countries next to it</source>
        <translation>Ziehen: Klicken Sie eines Ihrer Länder mit mindestens zwei Armeen an, dann ein eigenes Land daneben</translation>
    </message>
    <message>
        <source>Wait for your turn: the board takes no clicks now</source>
        <translation>Warten Sie auf Ihren Zug: Die Karte nimmt gerade keine Klicks an</translation>
    </message>
    <message>
        <source>%1 is not yours: your capital must be one of your countries</source>
        <translation>%1 gehört Ihnen nicht: Ihre Hauptstadt muss eines Ihrer Länder sein</translation>
    </message>
    <message>
        <source>%1 is not yours: place your armies on your own countries</source>
        <translation>%1 gehört Ihnen nicht: Setzen Sie Ihre Armeen auf Ihre eigenen Länder</translation>
    </message>
    <message>
        <source>%1 has %2 armies already: before the first turn a country with four or more takes no more</source>
        <translation>%1 hat schon %2 Armeen: Vor dem ersten Zug nimmt ein Land mit vier oder mehr keine weiteren auf</translation>
    </message>
    <message>
        <source>%2 is yours: choose below how many armies move in from %1, then press Ok</source>
        <translation>%2 gehört Ihnen: Wählen Sie unten, wie viele Armeen aus %1 einrücken, und drücken Sie OK</translation>
    </message>
    <message>
        <source>Choose below how many armies move from %1 to %2, then press Ok, or Cancel</source>
        <translation>Wählen Sie unten, wie viele Armeen von %1 nach %2 ziehen, und drücken Sie OK oder Abbrechen</translation>
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
    <message>
        <source>Notifications</source>
        <translation>Benachrichtigungen</translation>
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
    <name>GameChronicle</name>
    <message>
        <source>Turn %1: %2 receives %3 armies</source>
        <translation>Zug %1: %2 erhält %3 Armeen</translation>
    </message>
    <message>
        <source>%1 conquers %2 from %3</source>
        <translation>%1 erobert %2 von %3</translation>
    </message>
    <message>
        <source>%1 has taken your capital %2</source>
        <translation>%1 hat Ihre Hauptstadt %2 eingenommen</translation>
    </message>
    <message>
        <source>%1 holds %2 against the do-or-die attack of %3</source>
        <translation>%1 hält %2 gegen den Blitzangriff von %3</translation>
    </message>
    <message>
        <source>%1 is defeated by %2</source>
        <translation>%1 wird von %2 besiegt</translation>
    </message>
    <message>
        <source>%1 is defeated</source>
        <translation>%1 ist besiegt</translation>
    </message>
    <message>
        <source>%1 is removed from the game by the turn timer</source>
        <translation>%1 wird vom Zugzeitlimit aus dem Spiel genommen</translation>
    </message>
    <message>
        <source>%1 has left the game</source>
        <translation>%1 hat das Spiel verlassen</translation>
    </message>
    <message>
        <source>%1 has run out of time</source>
        <translation>%1 ist die Zeit ausgegangen</translation>
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
    <name>GameOverPanel</name>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Countries</source>
        <translation>Länder</translation>
    </message>
    <message>
        <source>Armies</source>
        <translation>Armeen</translation>
    </message>
    <message>
        <source>Conquered</source>
        <translation>Erobert</translation>
    </message>
    <message>
        <source>Luck</source>
        <translation>Glück</translation>
    </message>
    <message>
        <source>Cards traded</source>
        <translation>Karten getauscht</translation>
    </message>
    <message>
        <source>Turns</source>
        <translation>Züge</translation>
    </message>
    <message>
        <source>Armies the player&apos;s dice took beyond what the exact odds of the same throws give on average; below zero, fewer</source>
        <translation>Armeen, die die Würfel des Spielers über das hinaus geholt haben, was die genauen Wahrscheinlichkeiten derselben Würfe im Mittel ergeben; unter null weniger</translation>
    </message>
    <message>
        <source>%1 has won the game</source>
        <translation>%1 hat das Spiel gewonnen</translation>
    </message>
    <message>
        <source>One turn in %1</source>
        <translation>Ein Zug in %1</translation>
    </message>
    <message>
        <source>%1 turns in %2</source>
        <translation>%1 Züge in %2</translation>
    </message>
    <message>
        <source>%1 armies taken in %2 throws; the odds give %3</source>
        <translation>%1 Armeen in %2 Würfen geschlagen; die Wahrscheinlichkeit ergibt %3</translation>
    </message>
</context>
<context>
    <name>HelpDialog</name>
    <message>
        <source>QtTarvenixGame -- How to play</source>
        <translation>QtTarvenixGame -- Spielanleitung</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>How to play</source>
        <translation>Spielanleitung</translation>
    </message>
    <message>
        <source>&lt;p&gt;Each player tries to conquer the whole map. The line under the buttons always says what a click on the board does now, and why a click did nothing.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Jeder Spieler versucht, die ganze Karte zu erobern. Die Zeile unter den Knöpfen sagt stets, was ein Klick auf die Karte gerade bewirkt und warum ein Klick nichts bewirkt hat.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Into a game</source>
        <translation>Ins Spiel</translation>
    </message>
    <message>
        <source>&lt;p&gt;Open &lt;b&gt;Users&lt;/b&gt; (Ctrl+U). &lt;b&gt;Play against robots&lt;/b&gt; opens a game on the map you chose last, seats robots of the level you chose and starts it. &lt;b&gt;New...&lt;/b&gt; opens a game with rules of your own that others can join; &lt;b&gt;Join&lt;/b&gt; takes a seat in a waiting game and &lt;b&gt;Watch&lt;/b&gt; looks on.&lt;/p&gt;&lt;p&gt;In a game you opened, &lt;b&gt;Robot&lt;/b&gt; adds robot players and &lt;b&gt;Start&lt;/b&gt; begins the game. Start needs two players and as many humans as the game asks for; while it cannot be pressed, the line under the buttons says why.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Öffnen Sie &lt;b&gt;Benutzer&lt;/b&gt; (Strg+U). &lt;b&gt;Gegen Roboter spielen&lt;/b&gt; eröffnet ein Spiel auf der zuletzt gewählten Karte, setzt Roboter der gewählten Stufe an den Tisch und startet es. &lt;b&gt;Neu...&lt;/b&gt; eröffnet ein Spiel mit eigenen Regeln, dem andere beitreten können; &lt;b&gt;Beitreten&lt;/b&gt; nimmt einen Platz in einem wartenden Spiel ein, mit &lt;b&gt;Zuschauen&lt;/b&gt; sehen Sie zu.&lt;/p&gt;&lt;p&gt;In einem Spiel, das Sie eröffnet haben, fügt &lt;b&gt;Roboter&lt;/b&gt; Roboterspieler hinzu und &lt;b&gt;Start&lt;/b&gt; beginnt das Spiel. Start braucht zwei Spieler und so viele Menschen, wie das Spiel verlangt; solange der Knopf nicht gedrückt werden kann, sagt die Zeile unter den Knöpfen, warum.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>The start</source>
        <translation>Der Anfang</translation>
    </message>
    <message>
        <source>&lt;p&gt;The countries are dealt at random. In a game with &lt;b&gt;capitals&lt;/b&gt; each player first clicks one of his countries to make it his capital; whoever holds every capital at once has won.&lt;/p&gt;&lt;p&gt;Then everybody places his first armies at the same time: a &lt;b&gt;left click&lt;/b&gt; on one of your countries places one army, a &lt;b&gt;right click&lt;/b&gt; all armies that are left. Before the first turn a click on a country that holds four armies or more places nothing; a right click on one with fewer places all that are left on it.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Länder werden zufällig verteilt. In einem Spiel mit &lt;b&gt;Hauptstädten&lt;/b&gt; klickt jeder Spieler zuerst eines seiner Länder an, um es zu seiner Hauptstadt zu machen; wer alle Hauptstädte zugleich hält, hat gewonnen.&lt;/p&gt;&lt;p&gt;Dann setzen alle gleichzeitig ihre ersten Armeen: Ein &lt;b&gt;Linksklick&lt;/b&gt; auf eines Ihrer Länder setzt eine Armee, ein &lt;b&gt;Rechtsklick&lt;/b&gt; alle übrigen. Vor dem ersten Zug setzt ein Klick auf ein Land mit vier Armeen oder mehr nichts; ein Rechtsklick auf eines mit weniger setzt alle übrigen dorthin.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>A turn</source>
        <translation>Ein Zug</translation>
    </message>
    <message>
        <source>&lt;ol&gt;&lt;li&gt;&lt;b&gt;Reinforcements&lt;/b&gt;: one army for every three countries you hold, at least three, and the bonus of every continent you hold whole. Pointing at a country shows its continent with the bonus in brackets.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Placing&lt;/b&gt;: left click for one army, right click for all that are left. In a game with &lt;b&gt;place before attack&lt;/b&gt; you place first; otherwise you may attack first and press &lt;b&gt;Place&lt;/b&gt; (P) when you want your armies.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Attacking&lt;/b&gt; (A): click one of your countries with at least two armies, then an enemy neighbour. Each pair of clicks rolls the dice once: you throw up to three dice, one fewer than your armies, the defender up to two. The highest dice are compared in pairs and a tie goes to the defender; each lost pair costs one army.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Do or Die&lt;/b&gt; (D): the same clicks, but the dice roll on until the country falls or yours has only one army left.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Taking&lt;/b&gt;: when a country falls, the panel beside the game output asks how many armies move in: at least as many as the dice you threw, at most all but one.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Moving&lt;/b&gt; (M): ends your attacks. Click one of your countries and then one of your countries next to it, and choose how many armies go. Armies that moved this turn stay where they arrived.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Finish&lt;/b&gt; (F or Return) ends your turn. A turn in which you conquered at least one country earns a card.&lt;/li&gt;&lt;/ol&gt;</source>
        <translation>&lt;ol&gt;&lt;li&gt;&lt;b&gt;Verstärkung&lt;/b&gt;: eine Armee für je drei Länder, die Sie halten, mindestens drei, dazu der Bonus jedes Kontinents, den Sie ganz halten. Zeigen Sie auf ein Land, erscheint sein Kontinent mit dem Bonus in Klammern.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Setzen&lt;/b&gt;: Linksklick für eine Armee, Rechtsklick für alle übrigen. In einem Spiel mit &lt;b&gt;Setzen vor dem Angriff&lt;/b&gt; setzen Sie zuerst; sonst dürfen Sie erst angreifen und drücken &lt;b&gt;Setzen&lt;/b&gt; (P), wenn Sie Ihre Armeen wollen.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Angriff&lt;/b&gt; (A): Klicken Sie eines Ihrer Länder mit mindestens zwei Armeen an, dann einen feindlichen Nachbarn. Jedes Klickpaar würfelt einmal: Sie werfen bis zu drei Würfel, einen weniger als Sie Armeen haben, der Verteidiger bis zu zwei. Die höchsten Würfel werden paarweise verglichen, bei Gleichstand gewinnt der Verteidiger; jedes verlorene Paar kostet eine Armee.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Blitz&lt;/b&gt; (D): dieselben Klicks, doch es wird weitergewürfelt, bis das Land fällt oder Ihres nur noch eine Armee hat.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Einnehmen&lt;/b&gt;: Fällt ein Land, fragt die Leiste neben dem Spielverlauf, wie viele Armeen einziehen: mindestens so viele, wie Sie Würfel geworfen haben, höchstens alle bis auf eine.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Ziehen&lt;/b&gt; (M): beendet Ihre Angriffe. Klicken Sie eines Ihrer Länder an und dann ein eigenes Land daneben, und wählen Sie, wie viele Armeen gehen. Armeen, die in diesem Zug gezogen sind, bleiben, wo sie angekommen sind.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Fertig&lt;/b&gt; (F oder Eingabetaste) beendet Ihren Zug. Ein Zug, in dem Sie mindestens ein Land erobert haben, bringt eine Karte.&lt;/li&gt;&lt;/ol&gt;</translation>
    </message>
    <message>
        <source>Cards</source>
        <translation>Karten</translation>
    </message>
    <message>
        <source>&lt;p&gt;Three cards alike, one of each kind, or a pair with a joker make a set. Click three cards of your hand and press &lt;b&gt;Cards&lt;/b&gt; (C) to trade them for armies, in your turn while you still have armies to place. Whoever starts his turn with five cards or more must trade.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Drei gleiche Karten, je eine jeder Art oder ein Paar mit einem Joker bilden einen Satz. Klicken Sie drei Karten Ihrer Hand an und drücken Sie &lt;b&gt;Karten&lt;/b&gt; (C), um sie gegen Armeen einzutauschen, in Ihrem Zug, solange Sie noch Armeen zu setzen haben. Wer seinen Zug mit fünf oder mehr Karten beginnt, muss tauschen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>The timer</source>
        <translation>Das Zeitlimit</translation>
    </message>
    <message>
        <source>&lt;p&gt;The clock at the end of the buttons counts down the turn; in its last ten seconds it turns red. When it runs out, the game&apos;s timer rule applies: the player is removed from the game, removed only if he did nothing, or his turn simply ends. Armies not placed by then are lost.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Uhr am Ende der Knöpfe zählt den Zug herunter; in den letzten zehn Sekunden wird sie rot. Läuft sie ab, gilt die Zeitregel des Spiels: Der Spieler fliegt aus dem Spiel, fliegt nur, wenn er nichts getan hat, oder sein Zug endet einfach. Bis dahin nicht gesetzte Armeen verfallen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Winning</source>
        <translation>Gewinnen</translation>
    </message>
    <message>
        <source>&lt;p&gt;The last player with countries on the board wins, or in a game with capitals the first who holds every capital.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Es gewinnt der letzte Spieler mit Ländern auf der Karte oder, in einem Spiel mit Hauptstädten, der erste, der alle Hauptstädte hält.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>&lt;table cellspacing=&quot;2&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;P&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Place&lt;/td&gt;&lt;td&gt;&lt;b&gt;A&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Attack&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;D&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Do or Die&lt;/td&gt;&lt;td&gt;&lt;b&gt;M&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Move&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;F&lt;/b&gt;, &lt;b&gt;Return&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Finish&lt;/td&gt;&lt;td&gt;&lt;b&gt;C&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Cards&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+U&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Games and users&lt;/td&gt;&lt;td&gt;&lt;b&gt;Ctrl+T&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Chat&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+,&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Colours and fonts&lt;/td&gt;&lt;td&gt;&lt;b&gt;F1&lt;/b&gt;&lt;/td&gt;&lt;td&gt;This page&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+Q&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Quit&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</source>
        <translation>&lt;table cellspacing=&quot;2&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;P&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Setzen&lt;/td&gt;&lt;td&gt;&lt;b&gt;A&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Angriff&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;D&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Blitz&lt;/td&gt;&lt;td&gt;&lt;b&gt;M&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Ziehen&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;F&lt;/b&gt;, &lt;b&gt;Eingabe&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Fertig&lt;/td&gt;&lt;td&gt;&lt;b&gt;C&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Karten&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Strg+U&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Spiele und Benutzer&lt;/td&gt;&lt;td&gt;&lt;b&gt;Strg+T&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Chat&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Strg+,&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Farben und Schriften&lt;/td&gt;&lt;td&gt;&lt;b&gt;F1&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Diese Seite&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Strg+Q&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Beenden&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</translation>
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
    <message>
        <source>Play against robots</source>
        <translation>Gegen Roboter spielen</translation>
    </message>
    <message>
        <source>&amp;Play against robots</source>
        <translation>Gegen &amp;Roboter spielen</translation>
    </message>
    <message>
        <source>Opens a game on the chosen map, or the first map there is, for you and the robots, and starts it</source>
        <translation>Eröffnet ein Spiel auf der gewählten Karte, sonst auf der ersten, für Sie und die Roboter, und startet es</translation>
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
    <name>OperatorHints</name>
    <message numerus="yes">
        <source>Start needs at least %n human players: wait for more players to join, or open a new game with a lower minimum on the Timer tab</source>
        <translation>
            <numerusform>Start braucht mindestens %n menschlichen Spieler: Warten Sie auf weitere Spieler oder eröffnen Sie ein neues Spiel mit einem kleineren Minimum auf der Seite Zeitlimit</numerusform>
            <numerusform>Start braucht mindestens %n menschliche Spieler: Warten Sie auf weitere Spieler oder eröffnen Sie ein neues Spiel mit einem kleineren Minimum auf der Seite Zeitlimit</numerusform>
        </translation>
    </message>
    <message>
        <source>Start needs a second player: wait for someone to join</source>
        <translation>Start braucht einen zweiten Spieler: Warten Sie, bis jemand beitritt</translation>
    </message>
    <message>
        <source>Start needs a second player: add a robot with Robot or wait for someone to join</source>
        <translation>Start braucht einen zweiten Spieler: Fügen Sie mit Roboter einen Roboter hinzu oder warten Sie, bis jemand beitritt</translation>
    </message>
    <message>
        <source>No robots in the game is ticked: robots cannot join this game; untick it in the New game dialog for your next game</source>
        <translation>„Keine Roboter im Spiel“ ist angekreuzt: Roboter können diesem Spiel nicht beitreten; entfernen Sie das Häkchen im Dialog Neues Spiel für Ihr nächstes Spiel</translation>
    </message>
    <message>
        <source>Every seat is taken: no robot can join</source>
        <translation>Alle Plätze sind besetzt: Kein Roboter kann beitreten</translation>
    </message>
    <message numerus="yes">
        <source>The game keeps %n seats for human players: no more robots can join</source>
        <translation>
            <numerusform>Das Spiel hält %n Platz für menschliche Spieler frei: Es können keine weiteren Roboter beitreten</numerusform>
            <numerusform>Das Spiel hält %n Plätze für menschliche Spieler frei: Es können keine weiteren Roboter beitreten</numerusform>
        </translation>
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
    <message>
        <source>Type the password again</source>
        <translation>Geben Sie das Passwort noch einmal ein</translation>
    </message>
    <message>
        <source>Required</source>
        <translation>Pflichtfeld</translation>
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
    <message>
        <source>%1, level %2
%3</source>
        <translation>%1, Stufe %2
%3</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>RobotLevel</name>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Experte</translation>
    </message>
    <message>
        <source>Level %1</source>
        <translation>Stufe %1</translation>
    </message>
    <message>
        <source>Easy: places its armies on a border at random and attacks here and there where it has more armies. For a first game.</source>
        <translation>Leicht: setzt seine Armeen zufällig an eine Grenze und greift hier und da an, wo es mehr Armeen hat. Für ein erstes Spiel.</translation>
    </message>
    <message>
        <source>Normal: goes for a continent, guards its borders and attacks when the odds are good. A fair game for a player who knows the rules.</source>
        <translation>Normal: strebt nach einem Kontinent, bewacht seine Grenzen und greift an, wenn die Chancen gut stehen. Ein faires Spiel für alle, die die Regeln kennen.</translation>
    </message>
    <message>
        <source>Hard: counts every army, card and continent bonus and plays the best odds of the dice. Beats most players.</source>
        <translation>Schwer: zählt jede Armee, jede Karte und jeden Kontinentbonus und spielt die besten Würfelchancen. Schlägt die meisten Spieler.</translation>
    </message>
    <message>
        <source>Expert: plays like Hard and searches ahead, trying many ways the turn could go before it moves. The strongest robot.</source>
        <translation>Experte: spielt wie Schwer und rechnet voraus, indem es viele mögliche Verläufe des Zugs durchspielt, bevor es zieht. Der stärkste Roboter.</translation>
    </message>
    <message>
        <source>A robot of a level this program does not know yet.</source>
        <translation>Ein Roboter einer Stufe, die dieses Programm noch nicht kennt.</translation>
    </message>
    <message>
        <source>for a first game</source>
        <translation>für ein erstes Spiel</translation>
    </message>
    <message>
        <source>a fair game</source>
        <translation>ein faires Spiel</translation>
    </message>
    <message>
        <source>beats most players</source>
        <translation>schlägt die meisten Spieler</translation>
    </message>
    <message>
        <source>searches ahead, the strongest</source>
        <translation>rechnet voraus, der stärkste</translation>
    </message>
    <message>
        <source>not known to this program yet</source>
        <translation>diesem Programm noch unbekannt</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>RobotsSpinBox</name>
    <message>
        <source>1 robot</source>
        <translation>1 Roboter</translation>
    </message>
    <message>
        <source>%1 robots</source>
        <translation>%1 Roboter</translation>
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
        <translation>%1 greift %2 an (Blitzangriff!)</translation>
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
    <message>
        <source>Tarvenix: your turn</source>
        <translation>Tarvenix: Sie sind am Zug</translation>
    </message>
    <message>
        <source>You have been defeated by %1</source>
        <translation>Sie wurden von %1 besiegt</translation>
    </message>
    <message>
        <source>You have been defeated</source>
        <translation>Sie wurden besiegt</translation>
    </message>
    <message>
        <source>The turn timer has removed you from the game</source>
        <translation>Das Zugzeitlimit hat Sie aus dem Spiel genommen</translation>
    </message>
    <message>
        <source>You no longer play in this game</source>
        <translation>Sie spielen in diesem Spiel nicht mehr mit</translation>
    </message>
    <message>
        <source>You are out of the game: watch it to its end, or leave it.</source>
        <translation>Sie sind aus dem Spiel: Sehen Sie bis zum Ende zu oder verlassen Sie es.</translation>
    </message>
    <message>
        <source>You can watch the game to its end, or leave it.</source>
        <translation>Sie können dem Spiel bis zum Ende zusehen oder es verlassen.</translation>
    </message>
    <message>
        <source>Hints</source>
        <translation>Hinweise</translation>
    </message>
    <message>
        <source>How to play</source>
        <translation>Spielanleitung</translation>
    </message>
    <message>
        <source>How to play (F1)
The controls and the rules of the game</source>
        <translation>Spielanleitung (F1)
Bedienung und Regeln des Spiels</translation>
    </message>
    <message>
        <source>To play, open Users (Ctrl+U) and press Play against robots, or join a game there. F1 shows how to play.</source>
        <translation>Zum Spielen öffnen Sie Benutzer (Strg+U) und drücken Gegen Roboter spielen oder treten dort einem Spiel bei. F1 zeigt die Spielanleitung.</translation>
    </message>
    <message>
        <source>The server offers no robots to play against</source>
        <translation>Der Server bietet keine Roboter als Gegner an</translation>
    </message>
    <message>
        <source>Opening a game against %1</source>
        <translation>Eröffne ein Spiel gegen %1</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 whispers to you</source>
        <translation>%1 flüstert Ihnen zu</translation>
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
    <name>TurnAlert</name>
    <message>
        <source>Pick your capital</source>
        <translation>Wählen Sie Ihre Hauptstadt</translation>
    </message>
    <message>
        <source>Your turn: place %1 armies</source>
        <translation>Sie sind am Zug: Setzen Sie %1 Armeen</translation>
    </message>
    <message>
        <source>Your turn: place your armies or attack</source>
        <translation>Sie sind am Zug: Setzen Sie Ihre Armeen oder greifen Sie an</translation>
    </message>
    <message>
        <source>Your turn: attack, move or finish</source>
        <translation>Sie sind am Zug: Angreifen, ziehen oder beenden</translation>
    </message>
    <message>
        <source>You conquered a country: choose the armies that move in</source>
        <translation>Sie haben ein Land erobert: Wählen Sie die Armeen, die einziehen</translation>
    </message>
    <message>
        <source>Your turn: exchange cards</source>
        <translation>Sie sind am Zug: Tauschen Sie Karten ein</translation>
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
    <message>
        <source>Play against robots</source>
        <translation>Gegen Roboter spielen</translation>
    </message>
    <message>
        <source>Opens a game on the map chosen last in the New game dialog, seats robots of the level chosen there and starts it</source>
        <translation>Eröffnet ein Spiel auf der zuletzt im Dialog Neues Spiel gewählten Karte, setzt Roboter der dort gewählten Stufe an den Tisch und startet es</translation>
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
