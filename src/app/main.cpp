// kestrova: the desktop program.
#include "my_app.h"

int main(int argc, char** argv) {
  kestrova::CMyApp app(argc, argv);
  app.InitInstance();
  return app.ExitInstance();
}
