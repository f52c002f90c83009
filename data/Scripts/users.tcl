# Users: who is in each channel's list, in which colour, and the grey join
# and part lines that "Join/part messages" shows or hides.
#
# The global list holds everyone logged on, the game list the players and
# watchers of your game, the members list the members. Friends are dark
# green, enemies red, admins dark blue, everyone else grey (the colours are
# set in chat.tcl); an ignored user is struck out. Ignore again lifts it.

namespace eval users {
    variable channels {global game member}
    variable joinColor #808080
    # The game whose users the game list holds; 0 for none.
    variable listedGame 0
}

proc users::joinLine {channel text} {
    variable joinColor
    chatbox $channel output $joinColor $joinColor $text 1
}

# Puts nickname into a channel's list once, in his colour, struck out
# while he is ignored.
proc users::add {channel nickname {admin ""}} {
    chatbox $channel removeuser $nickname
    chatbox $channel adduser $nickname
    chatbox $channel color $nickname [chat::colorOf $nickname $admin]
    chatbox $channel strikeout $nickname [chat::isIgnored $nickname]
}

proc users::recolor {nickname {admin ""}} {
    variable channels
    set color [chat::colorOf $nickname $admin]
    foreach channel $channels {
        chatbox $channel color $nickname $color
    }
}

# The game id if the client knows that game, else 0.
proc users::knownGame {id} {
    if {$id != 0 && $id in [games]} {
        return $id
    }
    return 0
}

# You entered a game (or left yours, with game 0): the game list shows
# its users.
proc users::enterGame {game observer} {
    variable listedGame
    chatbox game reset
    if {$listedGame != 0} {
        joinLine game "You have left game $listedGame"
    }
    set listedGame $game
    if {$game == 0} {
        return
    }
    if {$observer} {
        joinLine game "You are watching game $game"
    } else {
        joinLine game "You have joined game $game"
    }
    set me [chat::me]
    add game $me
    foreach nickname [users] {
        if {$nickname ne $me && [chat::userValue game $nickname] == $game} {
            add game $nickname
        }
    }
}

proc users::loggedOn {nickname host} {
    variable listedGame
    add global $nickname
    if {$nickname eq [chat::me]} {
        # A new login: whatever the game list held belongs to the last one.
        set listedGame 0
        chatbox game reset
    } elseif {[status initialized]} {
        # Users announced before yourself were there already.
        joinLine global "$nickname has joined"
    }
}

# The server sent new details of a user; userinfo still has the old ones.
proc users::changed {nickname rating games game player observer member smilie admin level} {
    variable listedGame
    set game [knownGame $game]
    set me [chat::me]
    if {$nickname eq $me} {
        if {$game != $listedGame} {
            enterGame $game $observer
        }
    } elseif {$listedGame != 0} {
        set was [expr {[chat::userValue game $nickname] == $listedGame}]
        set is [expr {$game == $listedGame}]
        if {$is && !$was} {
            add game $nickname $admin
            if {$observer} {
                joinLine game "$nickname is watching the game"
            } else {
                joinLine game "$nickname has joined the game"
            }
        } elseif {$was && !$is} {
            chatbox game removeuser $nickname
            joinLine game "$nickname has left the game"
        }
    }

    set wasMember [chat::userValue member $nickname]
    if {$member && !$wasMember} {
        add member $nickname $admin
        if {$nickname ne $me && [status initialized]} {
            joinLine member "$nickname has joined"
        }
    } elseif {!$member && $wasMember} {
        chatbox member removeuser $nickname
    }
    recolor $nickname $admin
}

# A user logged off; userinfo still knows him.
proc users::loggedOff {nickname} {
    variable listedGame
    chatbox global removeuser $nickname
    joinLine global "$nickname has left"
    if {$listedGame != 0 && [chat::userValue game $nickname] == $listedGame} {
        chatbox game removeuser $nickname
        joinLine game "$nickname has left the game"
    }
    if {[chat::userValue member $nickname]} {
        chatbox member removeuser $nickname
        joinLine member "$nickname has left"
    }
}

proc users::maskChanged {nickname flag} {
    recolor $nickname
}

# Ignore hides a user's lines and whispers; pressing it again lifts it.
proc users::ignore {nickname} {
    variable channels
    if {$nickname eq [chat::me]} {
        return
    }
    set struck [chat::toggleIgnored $nickname]
    foreach channel $channels {
        chatbox $channel strikeout $nickname $struck
    }
}

on 0 server_newuser users::loggedOn
on 0 server_user users::changed
on 0 server_enduser users::loggedOff
on 0 user_becomes_friend users::maskChanged
on 0 user_becomes_enemy users::maskChanged
on 0 chat_ignore users::ignore
