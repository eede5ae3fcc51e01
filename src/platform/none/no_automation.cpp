#include "platform/automation.h"
#include "platform/failure_codes.h"

namespace {

// Platforms without a back end say so on every call instead of pretending.
class NoAutomation : public Automation {
 public:
  void beginRun() override {}
  AutomationStatus start(const std::string&, const std::string&, const std::string&, int) override {
    return fail();
  }
  AutomationStatus activate(const std::string&, TitleMatch) override { return fail(); }
  AutomationStatus send(const std::vector<KeyStroke>&, bool) override { return fail(); }
  void setOwnWindow(std::uintptr_t) override {}

 private:
  static AutomationStatus fail() {
    return {failure_code::kNotAvailable, "Desktop automation is not available on this platform", false};
  }
};

}  // namespace

std::unique_ptr<Automation> createAutomation() { return std::make_unique<NoAutomation>(); }
