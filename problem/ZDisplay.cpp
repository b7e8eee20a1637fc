#include "problem/ZDisplay.h"

#include <QCheckBox>
#include <QGridLayout>

ZDisplay::ZDisplay(const QString &name) : CalculusDisplay(name)
{
    if (cb_inReport)
        cb_inReport->setText(QStringLiteral("Insert in report"));
    if (gl_settings) {
        QWidget *parent = gl_settings->parentWidget();
        cb_min = new QCheckBox(QStringLiteral("Minimization"), parent);
        cb_min->setChecked(true);
        // The cell under "Complement" holds the name label; the box takes the first free row.
        gl_settings->addWidget(cb_min, 5, 0);
    }
}

ZDisplay::~ZDisplay() = default;

void ZDisplay::setObjMin(bool m)
{
    if (cb_min)
        cb_min->setChecked(m);
}

bool ZDisplay::getObjMin()
{
    return cb_min ? cb_min->isChecked() : true;
}
