// Built with the game's include path: exits with 1 when a Qt header can be found there.
#include "game/frm_koppelo_rules.h"

int main()
{
#if __has_include(<QObject>) || __has_include(<QtCore/QObject>)
    return 1;
#else
    return 0;
#endif
}
