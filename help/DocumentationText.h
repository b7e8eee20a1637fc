#pragma once

#include <QString>
#include <QStringList>

// The fixed help text of the documentation centre, one function per section. In the lists,
// entries beginning "L|" are run-in labels, "N|" notes, "#I|resource|width" centred figures and
// "#B|" a return to the body style (see Documentation::paragraphs).
namespace DocumentationText
{
QString introduction();
QString problemDefinition();
QStringList mainWindow();
QStringList problemTab();
QStringList graphTab();
QStringList analystTabs();
QStringList consoleTab();
QStringList inspector();
QStringList inspectorProblem();
QStringList inspectorOptimisation();
QStringList inspectorConstraints();
QStringList inspectorGraph();
QStringList inspectorAnalyst();
QStringList invariants();
} // namespace DocumentationText
