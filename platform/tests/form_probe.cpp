// A small program on the form machinery whose event handlers fail on request, so that a test
// can watch from outside how an unhandled error ends a program. Argument: the event that fails
// ("load", "resize", "timer", "std" for a standard exception in the load event), or none.
#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/app.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/run_time_error.h"

namespace {

class ProbeError : public std::runtime_error {
 public:
  ProbeError(std::int32_t number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  std::int32_t Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  std::int32_t number_;
};

platform::FormDesign ProbeDesign() {
  platform::FormDesign design;
  design.caption = "Form Probe";
  design.clientWidth = 3000;
  design.clientHeight = 1500;
  return design;
}

class ProbeForm : public platform::Form {
 public:
  explicit ProbeForm(std::string failing) : platform::Form(ProbeDesign()), failing_(failing) {
    Fail.Elapsed = [this] {
      if (failing_ == "timer") throw ProbeError(1001, "Timer failed");
    };
  }
  platform::Timer Fail{*this, 50};

 protected:
  void Form_Load() override {
    if (failing_ == "load") throw ProbeError(26001, "Load failed");
    if (failing_ == "std") throw std::runtime_error("Something broke");
  }
  void Form_Resize() override {
    if (failing_ == "resize") throw ProbeError(-2147194455, "Resize failed");
  }

 private:
  std::string failing_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::SetAppTitle("Form Probe");
  platform::ReportErrorsOfType<ProbeError>();
  ProbeForm form(platform::CommandLineArguments());
  return platform::Run(form);
}
