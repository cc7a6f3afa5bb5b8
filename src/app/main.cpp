// kestrova: the desktop program.
#include "image/check_hash_module.h"
#include "my_app.h"

int main(int argc, char** argv) {
  kestrova::CMyApp app(argc, argv);
  app.InitInstance();
  const int status = app.ExitInstance();
  kestrova::EndProcessIfCheckHashCallsInFlight(status);
  return status;
}
