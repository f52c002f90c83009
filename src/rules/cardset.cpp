#include "cardset.h"

namespace Rules {

bool isSet(int a, int b, int c)
{
    if (a == b && b == c)
        return true;
    if (a != b && b != c && a != c)
        return true;
    const int joker = int(Card::Joker);
    return (a == joker) + (b == joker) + (c == joker) == 1;
}

} // namespace Rules
