// Must not compile: the game layer has no Qt on its include path.
#include <QObject>

#include "game/frm_koppelo.h"

int main() { return 0; }
