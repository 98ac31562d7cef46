#include "texts/catalogue.h"

namespace koppelo::texts {

// One language so far; another would be chosen here, by the system's locale.
const Language& chosen() { return dutch(); }

}  // namespace koppelo::texts
