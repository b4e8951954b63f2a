#include "BenchSimulator.h"

std::unique_ptr<sim::Simulator> StartSimulator(benchmark::State& state, int pages, int users) {
  sim::SimulatorOptions options;
  options.size = {.seed = 1, .posts = 1, .pages = pages, .usersPerPage = users};
  auto simulator = std::make_unique<sim::Simulator>(options);
  if (simulator->Start()) return simulator;
  state.SkipWithError("the simulator did not start");
  return nullptr;
}

std::vector<std::string> ListingPageAddresses(const sim::Simulator& simulator, int pages) {
  const std::string listing = "http://" + simulator.ServiceHost() +
                              "/aj/comment/big?_wv=5&id=" + simulator.fixture().posts()[0].mid;
  std::vector<std::string> addresses{listing};
  for (int page = 2; page <= pages; ++page) {
    addresses.push_back(listing + "&page=" + std::to_string(page));
  }
  return addresses;
}
