<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
    <name>GameItem</name>
    <message>
        <source>%1 by %2</source>
        <translation>%1 par %2</translation>
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
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
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
</context>
<context>
    <name>TimeoutSpinBox</name>
    <message>
        <source>Timeout %1 minutes</source>
        <translation>Délai de %1 minutes</translation>
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
