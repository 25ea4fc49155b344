// A tkc built without the HTTP and JSON libraries the preview needs (the
// Windows one) says so instead.
#include "../console_text.h"
#include "preview.h"

namespace tkc {

int Preview(int, char**) {
  return Fail("this tkc was built without the preview; use one built on Linux");
}

}  // namespace tkc
