#pragma once

// Helpers for the session bus calls of the KDE back end that KWin grants
// nothing (sd-bus): a reply and its error freed together, and a bounded
// wait for messages to arrive.
#include <systemd/sd-bus.h>

#include <chrono>
#include <functional>
#include <string>

namespace kde {

struct BusCall {
  sd_bus_message* reply = nullptr;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  BusCall() = default;
  BusCall(const BusCall&) = delete;
  BusCall& operator=(const BusCall&) = delete;
  ~BusCall() {
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
  }
  std::string why(int r) const;
};

// Handles incoming messages until done() or the time is up; false then, or
// when the connection failed.
bool dispatchUntil(sd_bus* bus, const std::function<bool()>& done, std::chrono::milliseconds limit);

}  // namespace kde
