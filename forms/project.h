#pragma once

#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

#include "forms/form.h"

namespace forms {

// The set of window instances of one run: each window class has exactly one
// instance, created the first time the class is named and kept until the
// project ends. The program holds one project; each test may hold its own.
class Project {
 public:
  Project();
  ~Project();
  Project(const Project&) = delete;
  Project& operator=(const Project&) = delete;

  template <class F>
  F& Get() {
    for (auto& [type, instance] : instances_) {
      if (type == typeid(F)) return static_cast<F&>(*instance);
    }
    auto instance = std::make_unique<F>();
    F& result = *instance;
    instances_.emplace_back(typeid(F), std::move(instance));
    return result;
  }

  template <class F>
  bool Has() const {
    for (const auto& entry : instances_) {
      if (entry.first == typeid(F)) return true;
    }
    return false;
  }

  static Project& Current();

 private:
  std::vector<std::pair<std::type_index, std::unique_ptr<Form>>> instances_;
  Project* previous_;
};

// The application-wide reference to a window class's single instance.
template <class F>
F& Instance() {
  return Project::Current().Get<F>();
}

}  // namespace forms
