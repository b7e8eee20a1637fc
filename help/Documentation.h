#pragma once

#include <QDialog>
#include <QString>
#include <QTextCharFormat>
#include <QVector>

#include <functional>

class BuildCalculus;
class Problem;
class QCheckBox;
class QPushButton;
class QTextCursor;
class QTextEdit;

// The documentation centre: a modeless window in which the user ticks help sections and gets
// one printable, editable document assembled from them in a fixed order. Most sections are
// fixed help text; the catalogue sections, the current problem and the conjecture sections are
// generated at the moment of the rebuild. Every click on a box, and "Refresh", rebuilds the
// whole document; nothing else does. Generated text is always inserted as plain text.
class Documentation : public QDialog
{
    Q_OBJECT

public:
    // Gives the text of a conjecture panel at the moment of a rebuild.
    using ConjectureSource = std::function<QString()>;

    // The panels are any objects with a getConjectures() returning the text of their output
    // box (the hub passes its two ConjectureWidgets); null panels give empty sections.
    template <class Panel>
    Documentation(Problem *problem, BuildCalculus *catalogue, Panel *graphConjectures,
                  Panel *vertexConjectures)
        : Documentation(problem, catalogue, sourceOf(graphConjectures), sourceOf(vertexConjectures))
    {
    }
    Documentation(Problem *problem, BuildCalculus *catalogue, ConjectureSource graphConjectures,
                  ConjectureSource vertexConjectures);

    static constexpr int SectionCount = 29;

    // The box of section number (1 to 29), in the order of the section tree.
    QCheckBox *sectionBox(int number) const { return boxes.value(number - 1); }
    QTextEdit *getTextEdit() const { return text; }
    QPushButton *getPrintButton() const { return printButton; }
    QPushButton *getQuitButton() const { return quitButton; }
    QPushButton *getRefreshButton() const { return refreshButton; }

public slots:
    // Rebuilds the document from the ticked sections.
    void slot_update();
    // Prints the document as it stands (user edits included) through the print prompt.
    void slot_print();

private:
    template <class Panel> static ConjectureSource sourceOf(Panel *panel)
    {
        return [panel] { return panel ? panel->getConjectures() : QString(); };
    }

    // Character formats of the document.
    void setStyle(qreal size, bool bold, bool italic, const QColor &colour);
    void titleStyle();
    void h1Style();
    void h2Style();
    void h2iStyle();
    void h3Style();
    void bodyStyle();
    void problemHeadingStyle();
    void problemTextStyle();

    // A cursor in a new paragraph at the end of the document, in the current style.
    QTextCursor newParagraph(Qt::Alignment alignment);
    // A new paragraph at the end, written as plain text in the current style; line feeds in
    // text open further paragraphs.
    void append(const QString &s);
    void runIn(const QString &s);
    void note(const QString &s);
    // A figure of the compiled-in resources in a paragraph of its own.
    void image(const QString &resource, int width, bool centred);
    // Writes a list of fixed paragraphs; entries beginning "L|" are run-in labels, "N|" notes.
    void paragraphs(const QStringList &list);

    // Writes section number (1 to 29); the sections fall in four groups, each written by one of
    // the helpers below.
    void writeSection(int number);
    void writeFrontMatter(int number);              // 1 to 3
    void writeInterfaceSection(int number);         // 4 to 16
    void writeProblemDefinitionSection(int number); // 17 to 24
    void writeResultsSection(int number);           // 25 to 29: the problem, conjectures, references
    // A third-level heading, leaving the body style on.
    void subsectionHeading(const char *heading);
    void writeCatalogue(const QString &kind);
    void writeCurrentProblem();
    void writeReferences();

    QTextEdit *text;
    QPushButton *printButton;
    QPushButton *quitButton;
    QPushButton *refreshButton;
    BuildCalculus *catalogue;
    Problem *problem;
    QVector<QCheckBox *> boxes;
    ConjectureSource graphConjectures;
    ConjectureSource vertexConjectures;
    QTextCharFormat format;
    Qt::Alignment alignment = Qt::AlignLeft;
};
