#include "platform/kde/kde_bus.h"

#include <cstring>

namespace kde {

std::string BusCall::why(int r) const { return error.message ? error.message : std::strerror(-r); }

bool dispatchUntil(sd_bus* bus, const std::function<bool()>& done, std::chrono::milliseconds limit) {
  using Clock = std::chrono::steady_clock;
  const auto until = Clock::now() + limit;
  for (;;) {
    if (done()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(until - Clock::now());
    if (left.count() <= 0) return false;  // also when messages keep coming
    const int r = sd_bus_process(bus, nullptr);
    if (r < 0) return false;
    if (r == 0 && sd_bus_wait(bus, std::uint64_t(left.count())) < 0) return false;
  }
}

}  // namespace kde
