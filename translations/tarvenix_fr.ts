<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AlertsConfig</name>
    <message>
        <source>When the game asks something of you while its window is in the background:</source>
        <translation>Quand la partie attend quelque chose de vous alors que sa fenêtre est en arrière-plan&#xa0;:</translation>
    </message>
    <message>
        <source>Flash the window in the task bar</source>
        <translation>Faire clignoter la fenêtre dans la barre des tâches</translation>
    </message>
    <message>
        <source>Show a desktop notification</source>
        <translation>Afficher une notification sur le bureau</translation>
    </message>
    <message>
        <source>Play a short sound</source>
        <translation>Jouer un son bref</translation>
    </message>
    <message>
        <source>Listen</source>
        <translation>Écouter</translation>
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
        <translation>Conquérez le monde, un tour après l’autre</translation>
    </message>
</context>
<context>
    <name>BoardPanel</name>
    <message>
        <source>Leave game</source>
        <translation>Quitter la partie</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>ButtonBar</name>
    <message>
        <source>Buttons</source>
        <translation>Boutons</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Joueurs</translation>
    </message>
    <message>
        <source>Leave</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Placer</translation>
    </message>
    <message>
        <source>Attack</source>
        <translation>Attaquer</translation>
    </message>
    <message>
        <source>Do or Die</source>
        <translation>À outrance</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Déplacer</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Cards</source>
        <translation>Cartes</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Robot</source>
        <translation>Robot</translation>
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
        <translation>Ouvre la fenêtre de chat</translation>
    </message>
    <message>
        <source>Opens the games and users: join, watch or open a game, or play against robots</source>
        <translation>Ouvre les parties et les utilisateurs&#xa0;: rejoindre, regarder ou ouvrir une partie, ou jouer contre des robots</translation>
    </message>
    <message>
        <source>Leaves the game you are in; outside a game, logs out</source>
        <translation>Quitte la partie en cours&#xa0;; hors partie, vous déconnecte</translation>
    </message>
    <message>
        <source>Starts the game you opened</source>
        <translation>Démarre la partie que vous avez ouverte</translation>
    </message>
    <message>
        <source>Places your armies now; after that you may still attack</source>
        <translation>Place vos armées maintenant&#xa0;; vous pourrez encore attaquer ensuite</translation>
    </message>
    <message>
        <source>Attacks with one roll of the dice: click one of your countries, then an enemy neighbour</source>
        <translation>Attaque d’un seul lancer de dés&#xa0;: cliquez sur l’un de vos pays, puis sur un voisin ennemi</translation>
    </message>
    <message>
        <source>Attacks until the country falls or only one army is left to attack with</source>
        <translation>Attaque jusqu’à ce que le pays tombe ou qu’il ne reste qu’une armée pour attaquer</translation>
    </message>
    <message>
        <source>Ends your attacks: click two of your neighbouring countries to move armies between them</source>
        <translation>Met fin à vos attaques&#xa0;: cliquez sur deux de vos pays voisins pour déplacer des armées de l’un à l’autre</translation>
    </message>
    <message>
        <source>Ends your turn</source>
        <translation>Termine votre tour</translation>
    </message>
    <message>
        <source>Keeps this game&apos;s map in one of your personal map slots</source>
        <translation>Enregistre la carte de cette partie dans l’un de vos emplacements personnels</translation>
    </message>
    <message>
        <source>Trades the three cards you selected for armies</source>
        <translation>Échange les trois cartes choisies contre des armées</translation>
    </message>
    <message>
        <source>Sets the seats&apos; colours and the fonts</source>
        <translation>Règle les couleurs des joueurs et les polices</translation>
    </message>
    <message>
        <source>Adds a robot player to the game you opened</source>
        <translation>Ajoute un robot à la partie que vous avez ouverte</translation>
    </message>
    <message>
        <source>A whisper arrived while the chat window was closed</source>
        <translation>Un message chuchoté est arrivé pendant que la fenêtre de chat était fermée</translation>
    </message>
</context>
<context>
    <name>ChatBox</name>
    <message>
        <source>Nickname</source>
        <translation>Pseudo</translation>
    </message>
    <message>
        <source>Join/part messages</source>
        <translation>Arrivées et départs</translation>
    </message>
    <message>
        <source>Whisper</source>
        <translation>Chuchoter</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorer</translation>
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
        <translation>Chat général</translation>
    </message>
    <message>
        <source>Game Chatbox</source>
        <translation>Chat de la partie</translation>
    </message>
    <message>
        <source>Members Chatbox</source>
        <translation>Chat des membres</translation>
    </message>
</context>
<context>
    <name>ChatView</name>
    <message>
        <source>New lines</source>
        <translation>Nouvelles lignes</translation>
    </message>
</context>
<context>
    <name>ClickHint</name>
    <message>
        <source>Pick your capital: click one of your countries</source>
        <translation>Choisissez votre capitale&#xa0;: cliquez sur l’un de vos pays</translation>
    </message>
    <message>
        <source>Place your armies: left click one of your countries for one army, right click for all that are left</source>
        <translation>Placez vos armées&#xa0;: clic gauche sur l’un de vos pays pour une armée, clic droit pour toutes celles qui restent</translation>
    </message>
    <message>
        <source>Click an enemy neighbour of %1 to attack it, or %1 again to choose another country</source>
        <translation>Cliquez sur un voisin ennemi de %1 pour l’attaquer, ou de nouveau sur %1 pour choisir un autre pays</translation>
    </message>
    <message>
        <source>Do or die: click one of your countries with at least two armies, then an enemy neighbour; the dice roll until one side is beaten</source>
        <translation>À outrance&#xa0;: cliquez sur l’un de vos pays ayant au moins deux armées, puis sur un voisin ennemi&#xa0;; les dés roulent jusqu’à ce qu’un camp soit battu</translation>
    </message>
    <message>
        <source>Click one of your countries with at least two armies, then an enemy neighbour</source>
        <translation>Cliquez sur l’un de vos pays ayant au moins deux armées, puis sur un voisin ennemi</translation>
    </message>
    <message>
        <source>Click one of your countries next to %1 to move armies there, or %1 again to choose another country</source>
        <translation>Cliquez sur l’un de vos pays voisins de %1 pour y déplacer des armées, ou de nouveau sur %1 pour choisir un autre pays</translation>
    </message>
    <message>
        <source>Move: click one of your countries with at least two armies, then one of your countries next to it</source>
        <translation>Déplacer&#xa0;: cliquez sur l’un de vos pays ayant au moins deux armées, puis sur l’un de vos pays voisins</translation>
    </message>
    <message>
        <source>Wait for your turn: the board takes no clicks now</source>
        <translation>Attendez votre tour&#xa0;: la carte n’accepte aucun clic pour l’instant</translation>
    </message>
    <message>
        <source>%1 is not yours: your capital must be one of your countries</source>
        <translation>%1 ne vous appartient pas&#xa0;: votre capitale doit être l’un de vos pays</translation>
    </message>
    <message>
        <source>%1 is not yours: place your armies on your own countries</source>
        <translation>%1 ne vous appartient pas&#xa0;: placez vos armées sur vos propres pays</translation>
    </message>
    <message>
        <source>%1 has %2 armies already: before the first turn a country with four or more takes no more</source>
        <translation>%1 a déjà %2 armées&#xa0;: avant le premier tour, un pays qui en a quatre ou plus n’en reçoit plus</translation>
    </message>
    <message>
        <source>%2 is yours: choose below how many armies move in from %1, then press Ok</source>
        <translation>%2 est à vous&#xa0;: choisissez ci-dessous combien d’armées y entrent depuis %1, puis appuyez sur OK</translation>
    </message>
    <message>
        <source>Choose below how many armies move from %1 to %2, then press Ok, or Cancel</source>
        <translation>Choisissez ci-dessous combien d’armées vont de %1 à %2, puis appuyez sur OK ou Annuler</translation>
    </message>
</context>
<context>
    <name>ColorConfig</name>
    <message>
        <source>Players</source>
        <translation>Joueurs</translation>
    </message>
    <message>
        <source>Player %1</source>
        <translation>Joueur %1</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Couleur</translation>
    </message>
</context>
<context>
    <name>ColorEditor</name>
    <message>
        <source>Sample text</source>
        <translation>Exemple de texte</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Couleur du texte</translation>
    </message>
    <message>
        <source>Use this color</source>
        <translation>Utiliser cette couleur</translation>
    </message>
</context>
<context>
    <name>ConfigDialog</name>
    <message>
        <source>QtTarvenixGame -- Configuration</source>
        <translation>QtTarvenixGame -- Configuration</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Polices</translation>
    </message>
    <message>
        <source>Close window</source>
        <translation>Fermer la fenêtre</translation>
    </message>
    <message>
        <source>Notifications</source>
        <translation>Notifications</translation>
    </message>
</context>
<context>
    <name>DemoRun</name>
    <message>
        <source>Demo</source>
        <translation>Démo</translation>
    </message>
    <message>
        <source>Watcher</source>
        <translation>Spectateur</translation>
    </message>
    <message>
        <source>1 Board Street</source>
        <translation>1 rue du Plateau</translation>
    </message>
    <message>
        <source>Tarvenix</source>
        <translation>Tarvenix</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Local</translation>
    </message>
</context>
<context>
    <name>EditorContinue</name>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
</context>
<context>
    <name>EditorCountryContinent</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
</context>
<context>
    <name>EditorNameValue</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>The armies a player gets for holding the whole continent</source>
        <translation>Les armées que reçoit le joueur qui tient tout le continent</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
</context>
<context>
    <name>EditorPaintEraseContinue</name>
    <message>
        <source>Ctrl+Z takes a stroke back, Ctrl+Shift+Z makes it again.</source>
        <translation>Ctrl+Z annule un trait, Ctrl+Maj+Z le rétablit.</translation>
    </message>
    <message>
        <source>Paint</source>
        <translation>Dessiner</translation>
    </message>
    <message>
        <source>Drag on the map to draw a line; an end near a point joins it.</source>
        <translation>Faites glisser sur la carte pour tracer une ligne&#xa0;; une extrémité proche d’un point s’y raccorde.</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Click a point on the map to erase it with its lines.</source>
        <translation>Cliquez sur un point de la carte pour l’effacer avec ses lignes.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
</context>
<context>
    <name>EditorSlots</name>
    <message>
        <source>slot %1</source>
        <translation>emplacement %1</translation>
    </message>
    <message>
        <source>Name of the map</source>
        <translation>Nom de la carte</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
</context>
<context>
    <name>EditorSource</name>
    <message>
        <source>world</source>
        <translation>monde</translation>
    </message>
    <message>
        <source>africa</source>
        <translation>Afrique</translation>
    </message>
    <message>
        <source>europe</source>
        <translation>Europe</translation>
    </message>
    <message>
        <source>north america</source>
        <translation>Amérique du Nord</translation>
    </message>
    <message>
        <source>united states</source>
        <translation>États-Unis</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
</context>
<context>
    <name>EditorYesNo</name>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
</context>
<context>
    <name>FavouritesDialog</name>
    <message>
        <source>QtTarvenixGame -- Favourites</source>
        <translation>QtTarvenixGame -- Favoris</translation>
    </message>
    <message>
        <source>Where do you want to store the current map?</source>
        <translation>Où voulez-vous enregistrer la carte actuelle&#xa0;?</translation>
    </message>
    <message>
        <source>Empty slot</source>
        <translation>Emplacement vide</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1 by %2</source>
        <translation>%1 par %2</translation>
    </message>
</context>
<context>
    <name>FontsConfig</name>
    <message>
        <source>Scheme:</source>
        <translation>Thème&#xa0;:</translation>
    </message>
    <message>
        <source>Chatbox</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Game output</source>
        <translation>Journal de la partie</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Police&#xa0;:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille&#xa0;:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>AaBbCcDdEeFfGg</source>
        <translation>AaBbCcÉéÈèÀàÇç</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
</context>
<context>
    <name>GameChronicle</name>
    <message>
        <source>Turn %1: %2 receives %3 armies</source>
        <translation>Tour %1&#xa0;: %2 reçoit %3 armées</translation>
    </message>
    <message>
        <source>%1 conquers %2 from %3</source>
        <translation>%1 prend %2 à %3</translation>
    </message>
    <message>
        <source>%1 has taken your capital %2</source>
        <translation>%1 a pris votre capitale %2</translation>
    </message>
    <message>
        <source>%1 holds %2 against the do-or-die attack of %3</source>
        <translation>%1 tient %2 face à l’attaque à outrance de %3</translation>
    </message>
    <message>
        <source>%1 is defeated by %2</source>
        <translation>%1 est vaincu par %2</translation>
    </message>
    <message>
        <source>%1 is defeated</source>
        <translation>%1 est vaincu</translation>
    </message>
    <message>
        <source>%1 is removed from the game by the turn timer</source>
        <translation>%1 est retiré de la partie par le minuteur</translation>
    </message>
    <message>
        <source>%1 has left the game</source>
        <translation>%1 a quitté la partie</translation>
    </message>
    <message>
        <source>%1 has run out of time</source>
        <translation>%1 n’a plus de temps</translation>
    </message>
</context>
<context>
    <name>GameItem</name>
    <message>
        <source>%1 by %2</source>
        <translation>%1 par %2</translation>
    </message>
</context>
<context>
    <name>GameOverPanel</name>
    <message>
        <source>Player</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <source>Countries</source>
        <translation>Pays</translation>
    </message>
    <message>
        <source>Armies</source>
        <translation>Armées</translation>
    </message>
    <message>
        <source>Conquered</source>
        <translation>Conquis</translation>
    </message>
    <message>
        <source>Luck</source>
        <translation>Chance</translation>
    </message>
    <message>
        <source>Cards traded</source>
        <translation>Cartes échangées</translation>
    </message>
    <message>
        <source>Turns</source>
        <translation>Tours</translation>
    </message>
    <message>
        <source>Armies the player&apos;s dice took beyond what the exact odds of the same throws give on average; below zero, fewer</source>
        <translation>Armées prises par les dés du joueur au-delà de ce que donnent en moyenne les probabilités exactes des mêmes lancers&#xa0;; en dessous de zéro, moins</translation>
    </message>
    <message>
        <source>%1 has won the game</source>
        <translation>%1 a gagné la partie</translation>
    </message>
    <message>
        <source>One turn in %1</source>
        <translation>Un tour en %1</translation>
    </message>
    <message>
        <source>%1 turns in %2</source>
        <translation>%1 tours en %2</translation>
    </message>
    <message>
        <source>%1 armies taken in %2 throws; the odds give %3</source>
        <translation>%1 armées prises en %2 lancers&#xa0;; les probabilités donnent %3</translation>
    </message>
</context>
<context>
    <name>HelpDialog</name>
    <message>
        <source>QtTarvenixGame -- How to play</source>
        <translation>QtTarvenixGame -- Comment jouer</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>How to play</source>
        <translation>Comment jouer</translation>
    </message>
    <message>
        <source>&lt;p&gt;Each player tries to conquer the whole map. The line under the buttons always says what a click on the board does now, and why a click did nothing.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Chaque joueur tente de conquérir toute la carte. La ligne sous les boutons indique toujours ce que fait un clic sur la carte à cet instant, et pourquoi un clic n’a rien fait.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Into a game</source>
        <translation>Entrer dans une partie</translation>
    </message>
    <message>
        <source>&lt;p&gt;Open &lt;b&gt;Users&lt;/b&gt; (Ctrl+U). &lt;b&gt;Play against robots&lt;/b&gt; opens a game on the map you chose last, seats robots of the level you chose and starts it. &lt;b&gt;New...&lt;/b&gt; opens a game with rules of your own that others can join; &lt;b&gt;Join&lt;/b&gt; takes a seat in a waiting game and &lt;b&gt;Watch&lt;/b&gt; looks on.&lt;/p&gt;&lt;p&gt;In a game you opened, &lt;b&gt;Robot&lt;/b&gt; adds robot players and &lt;b&gt;Start&lt;/b&gt; begins the game. Start needs two players and as many humans as the game asks for; while it cannot be pressed, the line under the buttons says why.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ouvrez &lt;b&gt;Joueurs&lt;/b&gt; (Ctrl+U). &lt;b&gt;Jouer contre des robots&lt;/b&gt; ouvre une partie sur la dernière carte choisie, y installe des robots du niveau choisi et la démarre. &lt;b&gt;Créer...&lt;/b&gt; ouvre une partie avec vos propres règles, que d’autres peuvent rejoindre&#xa0;; &lt;b&gt;Rejoindre&lt;/b&gt; prend une place dans une partie en attente et &lt;b&gt;Regarder&lt;/b&gt; permet d’y assister.&lt;/p&gt;&lt;p&gt;Dans une partie que vous avez ouverte, &lt;b&gt;Robot&lt;/b&gt; ajoute des robots et &lt;b&gt;Démarrer&lt;/b&gt; lance la partie. Il faut pour cela deux joueurs et autant d’humains que la partie en demande&#xa0;; tant que le bouton est inactif, la ligne sous les boutons dit pourquoi.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>The start</source>
        <translation>Le début</translation>
    </message>
    <message>
        <source>&lt;p&gt;The countries are dealt at random. In a game with &lt;b&gt;capitals&lt;/b&gt; each player first clicks one of his countries to make it his capital; whoever holds every capital at once has won.&lt;/p&gt;&lt;p&gt;Then everybody places his first armies at the same time: a &lt;b&gt;left click&lt;/b&gt; on one of your countries places one army, a &lt;b&gt;right click&lt;/b&gt; all armies that are left. Before the first turn a click on a country that holds four armies or more places nothing; a right click on one with fewer places all that are left on it.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Les pays sont distribués au hasard. Dans une partie avec &lt;b&gt;capitales&lt;/b&gt;, chaque joueur clique d’abord sur l’un de ses pays pour en faire sa capitale&#xa0;; celui qui tient toutes les capitales à la fois a gagné.&lt;/p&gt;&lt;p&gt;Puis chacun place ses premières armées en même temps&#xa0;: un &lt;b&gt;clic gauche&lt;/b&gt; sur l’un de vos pays y place une armée, un &lt;b&gt;clic droit&lt;/b&gt; toutes celles qui restent. Avant le premier tour, un clic sur un pays qui a quatre armées ou plus n’en place aucune&#xa0;; un clic droit sur un pays qui en a moins y place toutes celles qui restent.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>A turn</source>
        <translation>Un tour</translation>
    </message>
    <message>
        <source>&lt;ol&gt;&lt;li&gt;&lt;b&gt;Reinforcements&lt;/b&gt;: one army for every three countries you hold, at least three, and the bonus of every continent you hold whole. Pointing at a country shows its continent with the bonus in brackets.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Placing&lt;/b&gt;: left click for one army, right click for all that are left. In a game with &lt;b&gt;place before attack&lt;/b&gt; you place first; otherwise you may attack first and press &lt;b&gt;Place&lt;/b&gt; (P) when you want your armies.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Attacking&lt;/b&gt; (A): click one of your countries with at least two armies, then an enemy neighbour. Each pair of clicks rolls the dice once: you throw up to three dice, one fewer than your armies, the defender up to two. The highest dice are compared in pairs and a tie goes to the defender; each lost pair costs one army.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Do or Die&lt;/b&gt; (D): the same clicks, but the dice roll on until the country falls or yours has only one army left.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Taking&lt;/b&gt;: when a country falls, the panel beside the game output asks how many armies move in: at least as many as the dice you threw, at most all but one.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Moving&lt;/b&gt; (M): ends your attacks. Click one of your countries and then one of your countries next to it, and choose how many armies go. Armies that moved this turn stay where they arrived.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Finish&lt;/b&gt; (F or Return) ends your turn. A turn in which you conquered at least one country earns a card.&lt;/li&gt;&lt;/ol&gt;</source>
        <translation>&lt;ol&gt;&lt;li&gt;&lt;b&gt;Renforts&lt;/b&gt;&#xa0;: une armée pour trois pays tenus, au moins trois, plus le bonus de chaque continent tenu en entier. Pointer un pays affiche son continent avec le bonus entre crochets.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Placement&lt;/b&gt;&#xa0;: clic gauche pour une armée, clic droit pour toutes celles qui restent. Dans une partie avec &lt;b&gt;placer avant d’attaquer&lt;/b&gt;, vous placez d’abord&#xa0;; sinon vous pouvez attaquer d’abord et appuyer sur &lt;b&gt;Placer&lt;/b&gt; (P) quand vous voulez vos armées.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Attaque&lt;/b&gt; (A)&#xa0;: cliquez sur l’un de vos pays ayant au moins deux armées, puis sur un voisin ennemi. Chaque paire de clics lance les dés une fois&#xa0;: vous lancez jusqu’à trois dés, un de moins que vos armées, le défenseur jusqu’à deux. Les dés les plus hauts sont comparés deux à deux et l’égalité profite au défenseur&#xa0;; chaque paire perdue coûte une armée.&lt;/li&gt;&lt;li&gt;&lt;b&gt;À outrance&lt;/b&gt; (D)&#xa0;: les mêmes clics, mais les dés roulent jusqu’à ce que le pays tombe ou que le vôtre n’ait plus qu’une armée.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Prise&lt;/b&gt;&#xa0;: quand un pays tombe, le panneau à côté du journal de la partie demande combien d’armées y entrent&#xa0;: au moins autant que de dés lancés, au plus toutes sauf une.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Déplacement&lt;/b&gt; (M)&#xa0;: met fin à vos attaques. Cliquez sur l’un de vos pays puis sur l’un de vos pays voisins, et choisissez combien d’armées partent. Les armées déplacées pendant ce tour restent là où elles sont arrivées.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Terminer&lt;/b&gt; (F ou Entrée) met fin à votre tour. Un tour où vous avez conquis au moins un pays rapporte une carte.&lt;/li&gt;&lt;/ol&gt;</translation>
    </message>
    <message>
        <source>Cards</source>
        <translation>Cartes</translation>
    </message>
    <message>
        <source>&lt;p&gt;Three cards alike, one of each kind, or a pair with a joker make a set. Click three cards of your hand and press &lt;b&gt;Cards&lt;/b&gt; (C) to trade them for armies, in your turn while you still have armies to place. Whoever starts his turn with five cards or more must trade.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Trois cartes identiques, une de chaque sorte, ou une paire avec un joker forment une série. Cliquez sur trois cartes de votre main et appuyez sur &lt;b&gt;Cartes&lt;/b&gt; (C) pour les échanger contre des armées, pendant votre tour tant qu’il vous reste des armées à placer. Qui commence son tour avec cinq cartes ou plus doit échanger.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>The timer</source>
        <translation>Le minuteur</translation>
    </message>
    <message>
        <source>&lt;p&gt;The clock at the end of the buttons counts down the turn; in its last ten seconds it turns red. When it runs out, the game&apos;s timer rule applies: the player is removed from the game, removed only if he did nothing, or his turn simply ends. Armies not placed by then are lost.&lt;/p&gt;</source>
        <translation>&lt;p&gt;L’horloge au bout des boutons décompte le tour&#xa0;; pendant ses dix dernières secondes, elle passe au rouge. Quand elle arrive à zéro, la règle du minuteur de la partie s’applique&#xa0;: le joueur est exclu de la partie, exclu seulement s’il n’a rien fait, ou son tour prend simplement fin. Les armées non placées d’ici là sont perdues.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Winning</source>
        <translation>La victoire</translation>
    </message>
    <message>
        <source>&lt;p&gt;The last player with countries on the board wins, or in a game with capitals the first who holds every capital.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Gagne le dernier joueur à avoir des pays sur la carte ou, dans une partie avec capitales, le premier qui tient toutes les capitales.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Touches</translation>
    </message>
    <message>
        <source>&lt;table cellspacing=&quot;2&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;P&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Place&lt;/td&gt;&lt;td&gt;&lt;b&gt;A&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Attack&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;D&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Do or Die&lt;/td&gt;&lt;td&gt;&lt;b&gt;M&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Move&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;F&lt;/b&gt;, &lt;b&gt;Return&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Finish&lt;/td&gt;&lt;td&gt;&lt;b&gt;C&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Cards&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+U&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Games and users&lt;/td&gt;&lt;td&gt;&lt;b&gt;Ctrl+T&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Chat&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+,&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Colours and fonts&lt;/td&gt;&lt;td&gt;&lt;b&gt;F1&lt;/b&gt;&lt;/td&gt;&lt;td&gt;This page&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+Q&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Quit&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</source>
        <translation>&lt;table cellspacing=&quot;2&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;P&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Placer&lt;/td&gt;&lt;td&gt;&lt;b&gt;A&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Attaquer&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;D&lt;/b&gt;&lt;/td&gt;&lt;td&gt;À outrance&lt;/td&gt;&lt;td&gt;&lt;b&gt;M&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Déplacer&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;F&lt;/b&gt;, &lt;b&gt;Entrée&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Terminer&lt;/td&gt;&lt;td&gt;&lt;b&gt;C&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Cartes&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+U&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Parties et utilisateurs&lt;/td&gt;&lt;td&gt;&lt;b&gt;Ctrl+T&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Chat&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+,&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Couleurs et polices&lt;/td&gt;&lt;td&gt;&lt;b&gt;F1&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Cette page&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+Q&lt;/b&gt;&lt;/td&gt;&lt;td&gt;Quitter&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</translation>
    </message>
</context>
<context>
    <name>HumanSpinBox</name>
    <message>
        <source>at least 1 human player</source>
        <translation>au moins 1 joueur humain</translation>
    </message>
    <message>
        <source>at least %1 human players</source>
        <translation>au moins %1 joueurs humains</translation>
    </message>
</context>
<context>
    <name>LoginDialog</name>
    <message>
        <source>QtTarvenixGame -- Login</source>
        <translation>QtTarvenixGame -- Connexion</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Connexion à %1...</translation>
    </message>
</context>
<context>
    <name>LoginDialogUI</name>
    <message>
        <source>&amp;Store my nickname and password on this computer</source>
        <translation>&amp;Mémoriser pseudo et mot de passe sur cet ordinateur</translation>
    </message>
    <message>
        <source>&amp;Login</source>
        <translation>&amp;Connexion</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Your login information</source>
        <translation>Vos identifiants</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>Mot de pa&amp;sse&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Nickname:</source>
        <translation>&amp;Pseudo&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Register</source>
        <translation>S’&amp;inscrire</translation>
    </message>
    <message>
        <source>Please enter your TarvenixOnline nickname and password.

If you do not already have a nickname, you can register one by
pressing the  Register button.</source>
        <translation>Saisissez votre pseudo TarvenixOnline et votre mot de passe.

Si vous n’avez pas encore de pseudo, vous pouvez en créer un
avec le bouton S’inscrire.</translation>
    </message>
</context>
<context>
    <name>Map</name>
    <message>
        <source>You should place %1 armies</source>
        <translation>Vous devez placer %1 armées</translation>
    </message>
    <message>
        <source>Armies</source>
        <translation>Armées</translation>
    </message>
    <message>
        <source>Countries</source>
        <translation>Pays</translation>
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
        <translation>Vous n’êtes dans aucune partie</translation>
    </message>
    <message>
        <source>Press the button to create your own flexible map</source>
        <translation>Appuyez sur le bouton pour créer votre propre carte flexible</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 1</source>
        <translation>Créez votre propre carte flexible&#xa0;: étape 1</translation>
    </message>
    <message>
        <source>Select the environment for your new map</source>
        <translation>Choisissez le fond de votre nouvelle carte</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 2</source>
        <translation>Créez votre propre carte flexible&#xa0;: étape 2</translation>
    </message>
    <message>
        <source>Use your mouse to paint borders on the map</source>
        <translation>Tracez des frontières sur la carte avec la souris</translation>
    </message>
    <message>
        <source>Check the borders</source>
        <translation>Vérification des frontières</translation>
    </message>
    <message>
        <source>Are the borders all right?</source>
        <translation>Les frontières sont-elles correctes&#xa0;?</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 3</source>
        <translation>Créez votre propre carte flexible&#xa0;: étape 3</translation>
    </message>
    <message>
        <source>Enter the name and value of a continent</source>
        <translation>Saisissez le nom et la valeur d’un continent</translation>
    </message>
    <message>
        <source>Do you want to create more continents?</source>
        <translation>Voulez-vous créer d’autres continents&#xa0;?</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 4</source>
        <translation>Créez votre propre carte flexible&#xa0;: étape 4</translation>
    </message>
    <message>
        <source>Enter the name and continent of a country</source>
        <translation>Saisissez le nom et le continent d’un pays</translation>
    </message>
    <message>
        <source>Use the mouse to pick the area</source>
        <translation>Choisissez la zone avec la souris</translation>
    </message>
    <message>
        <source>Use the mouse to pick the text position</source>
        <translation>Choisissez avec la souris la position du texte</translation>
    </message>
    <message>
        <source>Do you want to create more countries?</source>
        <translation>Voulez-vous créer d’autres pays&#xa0;?</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 5</source>
        <translation>Créez votre propre carte flexible&#xa0;: étape 5</translation>
    </message>
    <message>
        <source>Use the mouse to paint lines between adjacent countries</source>
        <translation>Tracez avec la souris des lignes entre les pays voisins</translation>
    </message>
    <message>
        <source>seperated by seas and oceans</source>
        <translation>séparés par des mers et des océans</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 6</source>
        <translation>Créez votre propre carte flexible&#xa0;: étape 6</translation>
    </message>
    <message>
        <source>Select the neighbours of:</source>
        <translation>Choisissez les voisins de&#xa0;:</translation>
    </message>
    <message>
        <source>Create your own flexible map: step 7</source>
        <translation>Créez votre propre carte flexible&#xa0;: étape 7</translation>
    </message>
    <message>
        <source>Do you want to store the map?</source>
        <translation>Voulez-vous enregistrer la carte&#xa0;?</translation>
    </message>
    <message>
        <source>Select a slotnumber and enter the name of the map</source>
        <translation>Choisissez un emplacement et saisissez le nom de la carte</translation>
    </message>
    <message>
        <source>Undo stroke</source>
        <translation>Annuler le trait</translation>
    </message>
    <message>
        <source>Redo stroke</source>
        <translation>Rétablir le trait</translation>
    </message>
</context>
<context>
    <name>Marquee</name>
    <message>
        <source>Thank you for trying Tarvenix!</source>
        <translation>Merci d’essayer Tarvenix&#xa0;!</translation>
    </message>
    <message>
        <source>Tarvenix is a free online board game.</source>
        <translation>Tarvenix est un jeu de plateau en ligne gratuit.</translation>
    </message>
    <message>
        <source>Thousands of people around the world play it every day.</source>
        <translation>Des milliers de personnes dans le monde y jouent chaque jour.</translation>
    </message>
    <message>
        <source>If you like the game, please pass the program on to your friends.</source>
        <translation>Si le jeu vous plaît, faites découvrir le programme à vos amis.</translation>
    </message>
    <message>
        <source>You can support Tarvenix by becoming a member for one year.</source>
        <translation>Vous pouvez soutenir Tarvenix en devenant membre pour un an.</translation>
    </message>
    <message>
        <source>A membership costs 25 dollars or 25 euros.</source>
        <translation>L’adhésion coûte 25 dollars ou 25 euros.</translation>
    </message>
    <message>
        <source>Running the game servers around the clock is costly.</source>
        <translation>Faire tourner les serveurs de jeu jour et nuit coûte cher.</translation>
    </message>
    <message>
        <source>Members enjoy a number of privileges.</source>
        <translation>Les membres bénéficient de nombreux avantages.</translation>
    </message>
    <message>
        <source>Members can play through our web site without installing the program.</source>
        <translation>Les membres peuvent jouer sur notre site web sans installer le programme.</translation>
    </message>
    <message>
        <source>Members have a chatbox of their own.</source>
        <translation>Les membres ont leur propre salon de discussion.</translation>
    </message>
    <message>
        <source>Members can store the nicknames and internet addresses of their friends and enemies.</source>
        <translation>Les membres peuvent enregistrer les pseudos et les adresses internet de leurs amis et de leurs ennemis.</translation>
    </message>
    <message>
        <source>Members see the full host names of their opponents.</source>
        <translation>Les membres voient le nom d’hôte complet de leurs adversaires.</translation>
    </message>
    <message>
        <source>Members are not shown the banner and this message.</source>
        <translation>Les membres ne voient ni la bannière ni ce message.</translation>
    </message>
    <message>
        <source>Members can vote for the admins.</source>
        <translation>Les membres peuvent élire les administrateurs.</translation>
    </message>
    <message>
        <source>More privileges are listed on www.tarvenix.example.</source>
        <translation>Les autres avantages sont présentés sur www.tarvenix.example.</translation>
    </message>
    <message>
        <source>For more information visit www.tarvenix.example.</source>
        <translation>Pour en savoir plus, rendez-vous sur www.tarvenix.example.</translation>
    </message>
    <message>
        <source>Questions? Write to support@tarvenix.example.</source>
        <translation>Des questions&#xa0;? Écrivez à support@tarvenix.example.</translation>
    </message>
</context>
<context>
    <name>MasksWidget</name>
    <message>
        <source>Masks</source>
        <translation>Masques</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Utilisateurs</translation>
    </message>
    <message>
        <source>Mask</source>
        <translation>Masque</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>A mask is nickname@host, where * stands for any text and ? for any one character, for example &quot;bob@*&quot;.</source>
        <translation>Un masque s’écrit pseudo@hôte, où * remplace n’importe quel texte et&#xa0;? un seul caractère quelconque, par exemple «&#xa0;bob@*&#xa0;».</translation>
    </message>
    <message>
        <source>nickname@host</source>
        <translation>pseudo@hôte</translation>
    </message>
    <message>
        <source>Friend</source>
        <translation>Ami</translation>
    </message>
    <message>
        <source>Enemy</source>
        <translation>Ennemi</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Users...</source>
        <translation>Utilisateurs...</translation>
    </message>
    <message>
        <source>friend</source>
        <translation>ami</translation>
    </message>
    <message>
        <source>enemy</source>
        <translation>ennemi</translation>
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
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>NewGameDialog</name>
    <message>
        <source>QtTarvenixGame -- New Game</source>
        <translation>QtTarvenixGame -- Nouvelle partie</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Minuteur</translation>
    </message>
    <message>
        <source>Maps</source>
        <translation>Cartes</translation>
    </message>
    <message>
        <source>New game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Choose a map on the Maps tab to start a game.</source>
        <translation>Choisissez une carte dans l’onglet Cartes pour lancer une partie.</translation>
    </message>
    <message>
        <source>Play against robots</source>
        <translation>Jouer contre des robots</translation>
    </message>
    <message>
        <source>&amp;Play against robots</source>
        <translation>&amp;Jouer contre des robots</translation>
    </message>
    <message>
        <source>Opens a game on the chosen map, or the first map there is, for you and the robots, and starts it</source>
        <translation>Ouvre une partie sur la carte choisie, ou sinon sur la première, pour vous et les robots, et la démarre</translation>
    </message>
</context>
<context>
    <name>NewGameMaps</name>
    <message>
        <source>Popular maps</source>
        <translation>Cartes populaires</translation>
    </message>
    <message>
        <source>Personal maps</source>
        <translation>Cartes personnelles</translation>
    </message>
    <message>
        <source>Empty slot</source>
        <translation>Emplacement vide</translation>
    </message>
    <message>
        <source>%1 by %2</source>
        <translation>%1 par %2</translation>
    </message>
</context>
<context>
    <name>NewGameOptions</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Place before attack</source>
        <translation>Placer avant d’attaquer</translation>
    </message>
    <message>
        <source>Capitals</source>
        <translation>Capitales</translation>
    </message>
    <message>
        <source>Allow players from the same hosts</source>
        <translation>Admettre les joueurs d’un même hôte</translation>
    </message>
    <message>
        <source>Replace leaving players by robots</source>
        <translation>Remplacer les joueurs qui partent par des robots</translation>
    </message>
    <message>
        <source>Increasing value for set of cards</source>
        <translation>Valeur croissante des séries de cartes</translation>
    </message>
    <message>
        <source>Hide cards</source>
        <translation>Cacher les cartes</translation>
    </message>
    <message>
        <source>Disable whispering</source>
        <translation>Interdire les chuchotements</translation>
    </message>
    <message>
        <source>Blind map</source>
        <translation>Carte à l’aveugle</translation>
    </message>
    <message>
        <source>Allow gifts</source>
        <translation>Autoriser les cadeaux</translation>
    </message>
    <message>
        <source>Receive cards of defeated players</source>
        <translation>Recevoir les cartes des joueurs vaincus</translation>
    </message>
    <message>
        <source>Only players from the same level</source>
        <translation>Seulement des joueurs du même niveau</translation>
    </message>
    <message>
        <source>No robots in the game</source>
        <translation>Pas de robots dans la partie</translation>
    </message>
</context>
<context>
    <name>NewGameTimer</name>
    <message>
        <source>When the timer expires...</source>
        <translation>Quand le temps est écoulé...</translation>
    </message>
    <message>
        <source>Kick current player out of the game</source>
        <translation>Exclure le joueur actuel de la partie</translation>
    </message>
    <message>
        <source>Kick current player out of the game if he was inactive during his turn</source>
        <translation>Exclure le joueur actuel s’il est resté inactif pendant son tour</translation>
    </message>
    <message>
        <source>Finish the turn of the current player</source>
        <translation>Terminer le tour du joueur actuel</translation>
    </message>
    <message>
        <source>More options</source>
        <translation>Plus d’options</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>A turn of a non-member never lasts longer than one minute and a non-
member is always kicked out of the game when the timer expires,
regardless of the settings of the game.

</source>
        <translation>Le tour d’un non-membre ne dure jamais plus d’une minute, et un
non-membre est toujours exclu de la partie quand le temps est écoulé,
quels que soient les réglages de la partie.

</translation>
    </message>
    <message>
        <source>Visit %1 for more information about becoming a member.</source>
        <translation>Rendez-vous sur %1 pour en savoir plus sur l’adhésion.</translation>
    </message>
</context>
<context>
    <name>OperatorHints</name>
    <message numerus="yes">
        <source>Start needs at least %n human players: wait for more players to join, or open a new game with a lower minimum on the Timer tab</source>
        <translation>
            <numerusform>Démarrer demande au moins %n joueur humain : attendez que d’autres joueurs arrivent, ou ouvrez une nouvelle partie avec un minimum plus bas dans l’onglet Minuteur</numerusform>
            <numerusform>Démarrer demande au moins %n joueurs humains : attendez que d’autres joueurs arrivent, ou ouvrez une nouvelle partie avec un minimum plus bas dans l’onglet Minuteur</numerusform>
        </translation>
    </message>
    <message>
        <source>Start needs a second player: wait for someone to join</source>
        <translation>Démarrer demande un deuxième joueur&#xa0;: attendez que quelqu’un rejoigne la partie</translation>
    </message>
    <message>
        <source>Start needs a second player: add a robot with Robot or wait for someone to join</source>
        <translation>Démarrer demande un deuxième joueur&#xa0;: ajoutez un robot avec Robot ou attendez que quelqu’un rejoigne la partie</translation>
    </message>
    <message>
        <source>No robots in the game is ticked: robots cannot join this game; untick it in the New game dialog for your next game</source>
        <translation>«&#xa0;Pas de robots dans la partie&#xa0;» est coché&#xa0;: aucun robot ne peut rejoindre cette partie&#xa0;; décochez-le dans la boîte Nouvelle partie pour votre prochaine partie</translation>
    </message>
    <message>
        <source>Every seat is taken: no robot can join</source>
        <translation>Toutes les places sont prises&#xa0;: aucun robot ne peut rejoindre la partie</translation>
    </message>
    <message numerus="yes">
        <source>The game keeps %n seats for human players: no more robots can join</source>
        <translation>
            <numerusform>La partie réserve %n place aux joueurs humains : aucun autre robot ne peut la rejoindre</numerusform>
            <numerusform>La partie réserve %n places aux joueurs humains : aucun autre robot ne peut la rejoindre</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Question</name>
    <message>
        <source>QtTarvenixGame -- Question</source>
        <translation>QtTarvenixGame -- Question</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
</context>
<context>
    <name>RatingSpinBox</name>
    <message>
        <source>No rating range</source>
        <translation>Pas de limite de classement</translation>
    </message>
    <message>
        <source>Rating range: %1 points</source>
        <translation>Écart de classement&#xa0;: %1 points</translation>
    </message>
</context>
<context>
    <name>RegisterDialog</name>
    <message>
        <source>QtTarvenixGame -- Registration</source>
        <translation>QtTarvenixGame -- Inscription</translation>
    </message>
    <message>
        <source>
Please enter your desired username and password and supply some personal
contact information. The contact information will not be used for commercial
activities, nor will it ever be available to other parties. The supplied information
will be removed after two months of inactivity.
</source>
        <translation>
Veuillez saisir le nom d’utilisateur et le mot de passe souhaités, ainsi que quelques
coordonnées personnelles. Ces coordonnées ne serviront jamais à des fins commerciales
et ne seront jamais communiquées à des tiers. Les informations fournies seront
supprimées après deux mois d’inactivité.
</translation>
    </message>
    <message>
        <source>Login information</source>
        <translation>Identifiants</translation>
    </message>
    <message>
        <source>Personal information</source>
        <translation>Informations personnelles</translation>
    </message>
    <message>
        <source>Preferred &amp;nickname:</source>
        <translation>&amp;Pseudo souhaité&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;First name:</source>
        <translation>P&amp;rénom&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Last name:</source>
        <translation>&amp;Nom&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Zipcode:</source>
        <translation>&amp;Code postal&#xa0;:</translation>
    </message>
    <message>
        <source>C&amp;ity:</source>
        <translation>&amp;Ville&#xa0;:</translation>
    </message>
    <message>
        <source>S&amp;tate or province:</source>
        <translation>É&amp;tat ou province&#xa0;:</translation>
    </message>
    <message>
        <source>C&amp;ountry:</source>
        <translation>Pa&amp;ys&#xa0;:</translation>
    </message>
    <message>
        <source>E-&amp;mail:</source>
        <translation>Courr&amp;iel&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>R&amp;epeat password:</source>
        <translation>Con&amp;firmer le mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>%1 to %2 letters, digits, &apos;-&apos; and &apos;_&apos;</source>
        <translation>%1 à %2 lettres, chiffres, «&#xa0;-&#xa0;» et «&#xa0;_&#xa0;»</translation>
    </message>
    <message>
        <source>&amp;Register</source>
        <translation>&amp;S’inscrire</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Ann&amp;uler</translation>
    </message>
    <message>
        <source>Please fill in the fields marked in red.</source>
        <translation>Veuillez remplir les champs marqués en rouge.</translation>
    </message>
    <message>
        <source>Please enter a password and repeat it.</source>
        <translation>Veuillez saisir un mot de passe et le confirmer.</translation>
    </message>
    <message>
        <source>The two passwords differ: please type the same password twice.</source>
        <translation>Les deux mots de passe diffèrent&#xa0;: veuillez saisir deux fois le même mot de passe.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Connexion à %1...</translation>
    </message>
    <message>
        <source>Type the password again</source>
        <translation>Saisissez à nouveau le mot de passe</translation>
    </message>
    <message>
        <source>Required</source>
        <translation>Obligatoire</translation>
    </message>
</context>
<context>
    <name>RobotDialog</name>
    <message>
        <source>QtTarvenixGame -- Robots</source>
        <translation>QtTarvenixGame -- Robots</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>Pseudo</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Propriétaire</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Classement</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Parties</translation>
    </message>
    <message>
        <source>Add to game</source>
        <translation>Ajouter à la partie</translation>
    </message>
    <message>
        <source>%1, level %2
%3</source>
        <translation>%1, niveau %2
%3</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>RobotLevel</name>
    <message>
        <source>Easy</source>
        <translation>Facile</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Level %1</source>
        <translation>Niveau %1</translation>
    </message>
    <message>
        <source>Easy: places its armies on a border at random and attacks here and there where it has more armies. For a first game.</source>
        <translation>Facile&#xa0;: place ses armées au hasard sur une frontière et attaque çà et là où il a plus d’armées. Pour une première partie.</translation>
    </message>
    <message>
        <source>Normal: goes for a continent, guards its borders and attacks when the odds are good. A fair game for a player who knows the rules.</source>
        <translation>Normal&#xa0;: vise un continent, garde ses frontières et attaque quand les chances sont bonnes. Une partie équilibrée pour qui connaît les règles.</translation>
    </message>
    <message>
        <source>Hard: counts every army, card and continent bonus and plays the best odds of the dice. Beats most players.</source>
        <translation>Difficile&#xa0;: compte chaque armée, chaque carte et chaque bonus de continent et joue les meilleures chances aux dés. Bat la plupart des joueurs.</translation>
    </message>
    <message>
        <source>Expert: plays like Hard and searches ahead, trying many ways the turn could go before it moves. The strongest robot.</source>
        <translation>Expert&#xa0;: joue comme Difficile et anticipe, en essayant de nombreux déroulements possibles du tour avant de jouer. Le robot le plus fort.</translation>
    </message>
    <message>
        <source>A robot of a level this program does not know yet.</source>
        <translation>Un robot d’un niveau que ce programme ne connaît pas encore.</translation>
    </message>
    <message>
        <source>for a first game</source>
        <translation>pour une première partie</translation>
    </message>
    <message>
        <source>a fair game</source>
        <translation>une partie équilibrée</translation>
    </message>
    <message>
        <source>beats most players</source>
        <translation>bat la plupart des joueurs</translation>
    </message>
    <message>
        <source>searches ahead, the strongest</source>
        <translation>anticipe, le plus fort</translation>
    </message>
    <message>
        <source>not known to this program yet</source>
        <translation>inconnu de ce programme</translation>
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
        <translation>1 robot</translation>
    </message>
    <message>
        <source>%1 robots</source>
        <translation>%1 robots</translation>
    </message>
</context>
<context>
    <name>ScriptHost</name>
    <message>
        <source>Error in %1: %2 (%3)</source>
        <translation>Erreur dans %1&#xa0;: %2 (%3)</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Erreur&#xa0;: %1</translation>
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
        <translation>Le jeu de plateau de conquête</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Chargement...</translation>
    </message>
</context>
<context>
    <name>Tarvenix</name>
    <message>
        <source>QtTarvenixGame -- Game</source>
        <translation>QtTarvenixGame -- Partie</translation>
    </message>
    <message>
        <source>Game output</source>
        <translation>Journal de la partie</translation>
    </message>
    <message>
        <source>Leave the game</source>
        <translation>Quitter la partie</translation>
    </message>
    <message>
        <source>Do you really want to leave your current game?</source>
        <translation>Voulez-vous vraiment quitter la partie en cours&#xa0;?</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Déconnexion</translation>
    </message>
    <message>
        <source>Do you really want to log out?</source>
        <translation>Voulez-vous vraiment vous déconnecter&#xa0;?</translation>
    </message>
    <message>
        <source>The map %1 is stored in slot %2</source>
        <translation>La carte %1 est enregistrée dans l’emplacement %2</translation>
    </message>
    <message>
        <source>The server did not store the map %1</source>
        <translation>Le serveur n’a pas enregistré la carte %1</translation>
    </message>
    <message>
        <source>robot</source>
        <translation>robot</translation>
    </message>
    <message>
        <source>Player %1: %2 (%3)</source>
        <translation>Joueur %1&#xa0;: %2 (%3)</translation>
    </message>
    <message>
        <source>Player %1 is replaced by the robot %2</source>
        <translation>Le joueur %1 est remplacé par le robot %2</translation>
    </message>
    <message>
        <source>%1 must exchange cards</source>
        <translation>%1 doit échanger des cartes</translation>
    </message>
    <message>
        <source>%1 receives %2 armies for exchanging cards</source>
        <translation>%1 reçoit %2 armées en échange de cartes</translation>
    </message>
    <message>
        <source>The connection with the server has been lost</source>
        <translation>La connexion avec le serveur a été perdue</translation>
    </message>
    <message>
        <source>Stopped connecting to %1</source>
        <translation>Connexion à %1 interrompue</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Connexion à %1...</translation>
    </message>
    <message>
        <source>Could not connect to %1: %2</source>
        <translation>Impossible de se connecter à %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>the server did not answer</source>
        <translation>le serveur n’a pas répondu</translation>
    </message>
    <message>
        <source>Welcome %1</source>
        <translation>Bienvenue, %1</translation>
    </message>
    <message>
        <source>Registration failed: invalid nickname</source>
        <translation>Échec de l’inscription&#xa0;: pseudo non valable</translation>
    </message>
    <message>
        <source>This program is out of date</source>
        <translation>Ce programme n’est plus à jour</translation>
    </message>
    <message>
        <source>Please visit www.tarvenix.example and download the latest version</source>
        <translation>Téléchargez la dernière version sur www.tarvenix.example</translation>
    </message>
    <message>
        <source>The server is closing down...</source>
        <translation>Le serveur s’arrête...</translation>
    </message>
    <message>
        <source>Unknown opcode: %1</source>
        <translation>Opcode inconnu&#xa0;: %1</translation>
    </message>
    <message>
        <source>Robot error: %1: %2</source>
        <translation>Erreur de robot&#xa0;: %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>You should place %1 armies</source>
        <translation>Vous devez placer %1 armées</translation>
    </message>
    <message>
        <source>All players receive %1 armies</source>
        <translation>Tous les joueurs reçoivent %1 armées</translation>
    </message>
    <message>
        <source>Please pick your capital</source>
        <translation>Choisissez votre capitale</translation>
    </message>
    <message>
        <source>%1 should place %2 armies</source>
        <translation>%1 doit placer %2 armées</translation>
    </message>
    <message>
        <source>%1 should choose: Place %2 armies or attack</source>
        <translation>%1 doit choisir&#xa0;: placer %2 armées ou attaquer</translation>
    </message>
    <message>
        <source>%1 attacks %2 (do or die!)</source>
        <translation>%1 attaque %2 (à outrance&#xa0;!)</translation>
    </message>
    <message>
        <source>%1 attacks %2 with 1 die</source>
        <translation>%1 attaque %2 avec 1 dé</translation>
    </message>
    <message>
        <source>%1 attacks %2 with %3 dice</source>
        <translation>%1 attaque %2 avec %3 dés</translation>
    </message>
    <message>
        <source>%1 has won the game</source>
        <translation>%1 a gagné la partie</translation>
    </message>
    <message>
        <source>Tarvenix: your turn</source>
        <translation>Tarvenix&#xa0;: à vous de jouer</translation>
    </message>
    <message>
        <source>You have been defeated by %1</source>
        <translation>Vous avez été vaincu par %1</translation>
    </message>
    <message>
        <source>You have been defeated</source>
        <translation>Vous avez été vaincu</translation>
    </message>
    <message>
        <source>The turn timer has removed you from the game</source>
        <translation>Le minuteur vous a retiré de la partie</translation>
    </message>
    <message>
        <source>You no longer play in this game</source>
        <translation>Vous ne jouez plus dans cette partie</translation>
    </message>
    <message>
        <source>You are out of the game: watch it to its end, or leave it.</source>
        <translation>Vous êtes hors jeu&#xa0;: regardez la partie jusqu’à la fin, ou quittez-la.</translation>
    </message>
    <message>
        <source>You can watch the game to its end, or leave it.</source>
        <translation>Vous pouvez regarder la partie jusqu’à la fin, ou la quitter.</translation>
    </message>
    <message>
        <source>Hints</source>
        <translation>Conseils</translation>
    </message>
    <message>
        <source>How to play</source>
        <translation>Comment jouer</translation>
    </message>
    <message>
        <source>How to play (F1)
The controls and the rules of the game</source>
        <translation>Comment jouer (F1)
Les commandes et les règles du jeu</translation>
    </message>
    <message>
        <source>To play, open Users (Ctrl+U) and press Play against robots, or join a game there. F1 shows how to play.</source>
        <translation>Pour jouer, ouvrez Joueurs (Ctrl+U) et appuyez sur Jouer contre des robots, ou rejoignez-y une partie. F1 explique comment jouer.</translation>
    </message>
    <message>
        <source>The server offers no robots to play against</source>
        <translation>Le serveur ne propose aucun robot comme adversaire</translation>
    </message>
    <message>
        <source>Opening a game against %1</source>
        <translation>Ouverture d’une partie contre %1</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 whispers to you</source>
        <translation>%1 vous chuchote un message</translation>
    </message>
</context>
<context>
    <name>TimeoutSpinBox</name>
    <message>
        <source>Timeout %1 minutes</source>
        <translation>Délai de %1 minutes</translation>
    </message>
</context>
<context>
    <name>TurnAlert</name>
    <message>
        <source>Pick your capital</source>
        <translation>Choisissez votre capitale</translation>
    </message>
    <message>
        <source>Your turn: place %1 armies</source>
        <translation>À vous&#xa0;: placez %1 armées</translation>
    </message>
    <message>
        <source>Your turn: place your armies or attack</source>
        <translation>À vous&#xa0;: placez vos armées ou attaquez</translation>
    </message>
    <message>
        <source>Your turn: attack, move or finish</source>
        <translation>À vous&#xa0;: attaquez, déplacez ou terminez</translation>
    </message>
    <message>
        <source>You conquered a country: choose the armies that move in</source>
        <translation>Vous avez conquis un pays&#xa0;: choisissez les armées qui y entrent</translation>
    </message>
    <message>
        <source>Your turn: exchange cards</source>
        <translation>À vous&#xa0;: échangez des cartes</translation>
    </message>
</context>
<context>
    <name>UserItem</name>
    <message>
        <source>Nickname</source>
        <translation>Pseudo</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Classement</translation>
    </message>
    <message>
        <source>Lvl</source>
        <translation>Niv.</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Parties</translation>
    </message>
</context>
<context>
    <name>UsersDialog</name>
    <message>
        <source>QtTarvenixGame -- Games &amp; Users</source>
        <translation>QtTarvenixGame -- Parties et utilisateurs</translation>
    </message>
</context>
<context>
    <name>UsersWidget</name>
    <message>
        <source>No robots in this game</source>
        <translation>Pas de robots dans cette partie</translation>
    </message>
    <message>
        <source>Only players of the same level allowed</source>
        <translation>Seuls les joueurs du même niveau sont admis</translation>
    </message>
    <message>
        <source>Obtain cards from defeated players</source>
        <translation>Récupérer les cartes des joueurs vaincus</translation>
    </message>
    <message>
        <source>Disconnected players are replaced by robots</source>
        <translation>Les joueurs déconnectés sont remplacés par des robots</translation>
    </message>
    <message>
        <source>Players from the same host allowed</source>
        <translation>Joueurs d’un même hôte admis</translation>
    </message>
    <message>
        <source>Number of cards is hidden</source>
        <translation>Le nombre de cartes est caché</translation>
    </message>
    <message>
        <source>Whispering not allowed</source>
        <translation>Chuchotements interdits</translation>
    </message>
    <message>
        <source>With gifts</source>
        <translation>Avec cadeaux</translation>
    </message>
    <message>
        <source>Value for exchanged cards increases</source>
        <translation>La valeur des cartes échangées augmente</translation>
    </message>
    <message>
        <source>Blind map</source>
        <translation>Carte à l’aveugle</translation>
    </message>
    <message>
        <source>With capitals</source>
        <translation>Avec capitales</translation>
    </message>
    <message>
        <source>Place armies before attack</source>
        <translation>Placer les armées avant d’attaquer</translation>
    </message>
    <message>
        <source>Observer</source>
        <translation>Spectateur</translation>
    </message>
    <message>
        <source>Robot player</source>
        <translation>Joueur robot</translation>
    </message>
    <message>
        <source>Disconnected player</source>
        <translation>Joueur déconnecté</translation>
    </message>
    <message>
        <source>Human player</source>
        <translation>Joueur humain</translation>
    </message>
    <message>
        <source>Game is waiting for players</source>
        <translation>La partie attend des joueurs</translation>
    </message>
    <message>
        <source>Game is running</source>
        <translation>Partie en cours</translation>
    </message>
    <message>
        <source>Timer expires: current player is kicked out of the game</source>
        <translation>Temps écoulé&#xa0;: le joueur actuel est exclu de la partie</translation>
    </message>
    <message>
        <source>Timer expires: player is kicked is he was inactive</source>
        <translation>Temps écoulé&#xa0;: le joueur est exclu s’il est resté inactif</translation>
    </message>
    <message>
        <source>Timer expires: next turn starts</source>
        <translation>Temps écoulé&#xa0;: le tour suivant commence</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Parties</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Utilisateurs</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Joueurs</translation>
    </message>
    <message>
        <source>Icon Legend</source>
        <translation>Légende des icônes</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Organisateur</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Classement</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>The least number of human players the game needs</source>
        <translation>Nombre minimal de joueurs humains pour la partie</translation>
    </message>
    <message>
        <source>Time for a turn, in minutes and seconds</source>
        <translation>Durée d’un tour, en minutes et secondes</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>Pseudo</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>Nom d’hôte</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Icône</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Rejoindre</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Regarder</translation>
    </message>
    <message>
        <source>Kick</source>
        <translation>Exclure</translation>
    </message>
    <message>
        <source>New...</source>
        <translation>Créer...</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Play against robots</source>
        <translation>Jouer contre des robots</translation>
    </message>
    <message>
        <source>Opens a game on the map chosen last in the New game dialog, seats robots of the level chosen there and starts it</source>
        <translation>Ouvre une partie sur la dernière carte choisie dans la boîte Nouvelle partie, y installe des robots du niveau choisi et la démarre</translation>
    </message>
</context>
<context>
    <name>WhisperBox</name>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Tarvenix, the territory-conquest board game.</source>
        <translation>Tarvenix, le jeu de plateau de conquête.</translation>
    </message>
    <message>
        <source>Connect to the game server at &lt;host[:port]&gt; (default %1:%2; the environment variable TARVENIX_SERVER does the same).</source>
        <translation>Se connecter au serveur de jeu &lt;host[:port]&gt; (par défaut %1:%2&#xa0;; la variable d’environnement TARVENIX_SERVER a le même effet).</translation>
    </message>
    <message>
        <source>Show the banner page at &lt;url&gt;.</source>
        <translation>Afficher la page de bannière &lt;url&gt;.</translation>
    </message>
    <message>
        <source>Watch robots play a whole game on World: log in as &quot;%1&quot; (registered on first use), open a game with three robots and watch it.</source>
        <translation>Regarder des robots jouer une partie entière sur le monde&#xa0;: se connecter en tant que «&#xa0;%1&#xa0;» (inscrit à la première utilisation), ouvrir une partie avec trois robots et la regarder.</translation>
    </message>
    <message>
        <source>Not a server address: %1</source>
        <translation>Adresse de serveur non valable&#xa0;: %1</translation>
    </message>
</context>
</TS>
