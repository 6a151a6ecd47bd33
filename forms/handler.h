#pragma once

#include <utility>

#include <QObject>

#include "core/runtime_error.h"
#include "forms/message_box.h"

namespace forms {

// Runs an event handler; an error it does not trap goes to the error report.
template <class Fn>
void RunHandler(Fn&& handler) {
  try {
    std::forward<Fn>(handler)();
  } catch (const RuntimeError& error) {
    ReportError(error);
  }
}

// Binds a control's event to a handler, which runs under the error report.
template <class Sender, class Signal, class Fn>
QMetaObject::Connection On(Sender* sender, Signal signal, Fn handler) {
  return QObject::connect(sender, signal, sender, [handler = std::move(handler)](auto&&...) { RunHandler(handler); });
}

}  // namespace forms
