#include "forms/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "core/app_info.h"
#include "core/runtime_error.h"

namespace forms {

void MsgBox(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(app::kTitle.data(), app::kTitle.size()), text,
                  QMessageBox::Ok);
  box.setObjectName("msgbox");
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void ReportError(const RuntimeError& error) {
  MsgBox(QStringLiteral("Run-time error '%1':\n\n%2").arg(error.Number()).arg(QString::fromStdString(error.what())));
  QCoreApplication::exit(error.Number());
}

}  // namespace forms
