# Chat: what is said in the channels and in whispers.
#
# Lines typed into a channel go to the server, which sends them back to
# everyone in the channel, the sender included; they are shown when they
# come back, so each line appears once. Whispers are not sent back, so
# your own whisper is shown as soon as it is sent.
#
# Typed lines that start with a slash are commands:
#   /w nickname text   whisper to nickname (also /whisper and /msg)
#   /me text           an action line: "* nickname text"
#   /help              the list of commands
#   //text             sends "/text" as an ordinary line
#
# The lists of users and the join and part lines are in users.tcl.

namespace eval chat {
    # Colours of the nicknames and lines.
    variable friendColor  #008000
    variable enemyColor   #ff0000
    variable bothColor    #ff7f00
    variable adminColor   #000080
    variable otherColor   #808080
    variable textColor    #000000
    variable actionColor  #800080
    variable noteColor    #808080

    # Nicknames whose lines are hidden (the Ignore button).
    variable ignored
    array set ignored {}
}

# A userinfo value, or the fallback once the user has logged off.
proc chat::userValue {option nickname {fallback 0}} {
    if {[catch {userinfo $option $nickname} value]} {
        return $fallback
    }
    return $value
}

proc chat::me {} {
    return [status nick]
}

# The nickname as the user who has it spells it, found without regard to
# case; as given when nobody has it.
proc chat::spelling {nickname} {
    foreach user [users] {
        if {[string equal -nocase $user $nickname]} {
            return $user
        }
    }
    return $nickname
}

# The colour a user's nickname and lines are shown in. The admin flag can
# be given when the user's record is about to change.
proc chat::colorOf {nickname {admin ""}} {
    variable friendColor
    variable enemyColor
    variable bothColor
    variable adminColor
    variable otherColor
    if {$admin eq ""} {
        set admin [userValue admin $nickname]
    }
    set friend [userValue friend $nickname]
    set enemy [userValue enemy $nickname]
    if {$admin} {
        return $adminColor
    } elseif {$friend && $enemy} {
        return $bothColor
    } elseif {$enemy} {
        return $enemyColor
    } elseif {$friend} {
        return $friendColor
    }
    return $otherColor
}

proc chat::isIgnored {nickname} {
    variable ignored
    return [info exists ignored($nickname)]
}

# Ignores nickname, or stops ignoring him; returns whether he is ignored now.
proc chat::toggleIgnored {nickname} {
    variable ignored
    if {[info exists ignored($nickname)]} {
        unset ignored($nickname)
        return 0
    }
    set ignored($nickname) 1
    return 1
}

# A line of the client's own in a channel: help, hints and refusals.
proc chat::note {channel text} {
    variable noteColor
    variable textColor
    chatbox $channel output $noteColor $textColor $text
}

# A line from a user, shown in a channel; "/me" lines are actions.
proc chat::showLine {channel nickname text} {
    variable textColor
    variable actionColor
    set color [colorOf $nickname]
    if {[string match "/me *" $text]} {
        chatbox $channel output $color $actionColor "* $nickname [string range $text 4 end]"
    } else {
        chatbox $channel output $color $textColor "$nickname: $text"
    }
}

# A line in the whisper tab of peer, spoken by speaker.
proc chat::showWhisper {peer speaker text} {
    variable textColor
    variable actionColor
    set color [colorOf $speaker]
    if {[string match "/me *" $text]} {
        whisper output $peer $color $actionColor "* $speaker [string range $text 4 end]"
    } else {
        whisper output $peer $color $textColor "$speaker: $text"
    }
}

# Why a whisper to nickname cannot be sent, or nothing when it can.
proc chat::whisperRefusal {nickname} {
    if {[catch {userinfo game $nickname} theirGame]} {
        return "$nickname is not logged on"
    }
    foreach game [list [userValue game [me]] $theirGame] {
        if {$game != 0 && [gameinfo nowhispers $game]} {
            return "Whispering is not allowed in game $game"
        }
    }
    return ""
}

proc chat::sendWhisper {nickname text} {
    variable noteColor
    variable textColor
    set refusal [whisperRefusal $nickname]
    if {$refusal ne ""} {
        whisper output $nickname $noteColor $textColor $refusal
        return
    }
    send whisper $nickname $text
    # A whisper to yourself comes back from the server like any other.
    if {$nickname ne [me]} {
        showWhisper $nickname [me] $text
    }
}

proc chat::help {channel} {
    note $channel "Commands:"
    note $channel "/w nickname text - whisper to nickname (also /whisper and /msg)"
    note $channel "/me text - an action: * [me] text"
    note $channel "/help - this list"
    note $channel "//text - send a line that starts with a slash"
}

# Why a line cannot be said in the channel, or nothing when it can.
proc chat::channelRefusal {channel} {
    if {$channel eq "game" && [userValue game [me]] == 0} {
        return "You are not in a game"
    }
    if {$channel eq "member" && ![userValue member [me]]} {
        return "This channel is for members only"
    }
    return ""
}

proc chat::say {channel text} {
    set refusal [channelRefusal $channel]
    if {$refusal ne ""} {
        note $channel $refusal
        return
    }
    send chat $channel $text
}

# The user pressed Return in a channel.
proc chat::typed {channel text} {
    if {[string index $text 0] ne "/"} {
        say $channel $text
        return
    }
    if {[string index $text 1] eq "/"} {
        say $channel [string range $text 1 end]
        return
    }
    set command [string tolower [lindex [split $text] 0]]
    set rest [string trim [string range $text [string length $command] end]]
    switch -- $command {
        /w - /whisper - /msg {
            set nickname [spelling [lindex [split $rest] 0]]
            set message [string trim [string range $rest [string length $nickname] end]]
            if {$nickname eq "" || $message eq ""} {
                note $channel "Usage: /w nickname text"
                return
            }
            whisper open $nickname
            sendWhisper $nickname $message
        }
        /me {
            if {$rest eq ""} {
                note $channel "Usage: /me text"
                return
            }
            say $channel "/me $rest"
        }
        /help - /? {
            help $channel
        }
        default {
            note $channel "Unknown command $command - type /help for the list"
        }
    }
}

# A line arrived on a channel.
proc chat::heard {channel nickname text} {
    if {[isIgnored $nickname]} {
        return
    }
    showLine $channel $nickname $text
    chatbox $channel active
}

# A whisper arrived.
proc chat::whispered {nickname text} {
    if {[isIgnored $nickname]} {
        return
    }
    showWhisper $nickname $nickname $text
    whisper active $nickname
}

proc chat::typedWhisper {nickname text} {
    sendWhisper $nickname $text
}

proc chat::openWhisper {nickname} {
    whisper open $nickname
}

proc chat::closeWhisper {nickname} {
    whisper close $nickname
}

on 0 chat_message chat::typed
on 0 chat_whisper chat::typedWhisper
on 0 chat_whisperbutton chat::openWhisper
on 0 chat_closebutton chat::closeWhisper
on 0 server_chat chat::heard
on 0 server_whisper chat::whispered
