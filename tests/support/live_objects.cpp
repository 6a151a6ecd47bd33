#include "live_objects.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include "window_test.h"

namespace {

void Gather(QObject* root, QSet<QObject*>& timers) {
  for (QTimer* timer : root->findChildren<QTimer*>()) timers.insert(timer);
}

}  // namespace

LiveObjects CountLiveObjects() {
  ProcessEvents();
  QSet<QObject*> timers;
  Gather(QCoreApplication::instance(), timers);
  for (QWidget* window : QApplication::topLevelWidgets()) Gather(window, timers);
  LiveObjects live;
  live.widgets = static_cast<int>(QApplication::allWidgets().size());
  live.timers = static_cast<int>(timers.size());
  for (QObject* timer : timers) live.runningTimers += static_cast<QTimer*>(timer)->isActive() ? 1 : 0;
  // QTimer::singleShot's timers hang under the dispatcher until they fire.
  live.timers += static_cast<int>(QAbstractEventDispatcher::instance()->children().size());
  return live;
}

std::ostream& operator<<(std::ostream& out, const LiveObjects& live) {
  return out << live.widgets << " widgets, " << live.timers << " timers (" << live.runningTimers << " running)";
}
