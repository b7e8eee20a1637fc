#pragma once

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>
#include <QString>

// Makers of the named controls the hub builds for the inspector pages and its own windows; the
// hub and the tests find every control by its object name.
namespace MainWidgetControls
{
inline QCheckBox *checkBox(const QString &text, const QString &objectName, bool checked)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(objectName);
    box->setChecked(checked);
    return box;
}

inline QSpinBox *spinBox(const QString &objectName, int min, int max, int value)
{
    auto *box = new QSpinBox;
    box->setObjectName(objectName);
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

inline QDoubleSpinBox *doubleBox(const QString &objectName, double min, double max, double value)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(objectName);
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

inline QPushButton *button(const QString &text, const QString &objectName)
{
    auto *b = new QPushButton(text);
    b->setObjectName(objectName);
    return b;
}
} // namespace MainWidgetControls
