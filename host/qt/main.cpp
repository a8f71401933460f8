//===- host/qt/main.cpp - Start-up of the filecrypter window program ------===//

#include "app/program.h"
#include "host/qt/qt_program_host.h"

int main(int argc, char **argv) {
  filecrypter::QtProgramHost host(argc, argv);
  return filecrypter::RunProgram(host);
}
