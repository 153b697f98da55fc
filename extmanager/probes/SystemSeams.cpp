#include "extmanager/probes/SystemSeams.h"

SystemSeams& Seams() {
  static SystemSeams seams;
  return seams;
}

void ResetSeams() { Seams() = SystemSeams{}; }
