#include "forms/project.h"

#include <cassert>

namespace forms {
namespace {
Project* current = nullptr;
}

Project::Project() : previous_(current) { current = this; }

Project::~Project() {
  // Later instances may refer to earlier ones; take them down in reverse.
  while (!instances_.empty()) instances_.pop_back();
  current = previous_;
}

Project& Project::Current() {
  assert(current && "no project is running");
  return *current;
}

}  // namespace forms
