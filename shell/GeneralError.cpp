#include "GeneralError.h"

#include <QMessageBox>

void showGeneralError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Les Bramidou"), text + QLatin1Char('.'),
                    QMessageBox::Ok, parent);
    box.exec();
}
