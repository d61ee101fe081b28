// Build tool: turns the readable federal rate history into the shipped vendor table FEDERAL.TB3.
#include <iostream>
#include <memory>
#include <string>

#include "ratetables/FederalTable.h"
#include "ratetables/TableFile.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: " << argv[0] << " federal-rates.csv FEDERAL.TB3\n";
    return 2;
  }
  auto table = std::make_unique<zarvic::RateTable>();
  std::string error;
  if (!zarvic::BuildFederalTable(argv[1], *table, error)) {
    std::cerr << error << '\n';
    return 1;
  }
  // SaveTable has reported a failure on standard error already.
  return zarvic::SaveTable(*table, argv[2], zarvic::kFederalVendorFlag) ? 0 : 1;
}
