#include "dialogs/Prompt.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProgressDialog>

#include <atomic>

namespace
{
std::atomic<Prompt *> installed{nullptr};

// Texts from files or the network must never be interpreted as rich text.
void show(QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
} // namespace

void Prompt::information(QWidget *parent, const QString &title, const QString &text)
{
    show(QMessageBox::Information, parent, title, text);
}

void Prompt::warning(QWidget *parent, const QString &title, const QString &text)
{
    show(QMessageBox::Warning, parent, title, text);
}

void Prompt::critical(QWidget *parent, const QString &title, const QString &text)
{
    show(QMessageBox::Critical, parent, title, text);
}

bool Prompt::question(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Prompt::about(QWidget *parent, const QString &title, const QString &richText)
{
    QMessageBox::about(parent, title, richText);
}

bool Prompt::confirm(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

QString Prompt::directory(QWidget *parent, const QString &caption, const QString &dir)
{
    QFileDialog dialog(parent, caption, dir);
    dialog.setFileMode(QFileDialog::Directory);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    // The folder the user picked: a selected subfolder, else the folder shown. directory() is only
    // the folder shown, the parent of a subfolder that was selected by a single click.
    const QStringList picked = dialog.selectedFiles();
    return picked.isEmpty() ? dialog.directory().absolutePath() : QDir(picked.first()).absolutePath();
}

QString Prompt::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                             const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString Prompt::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                             const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

bool Prompt::print(QWidget *parent, QPrinter *printer)
{
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QProgressDialog *Prompt::progress(QWidget *parent, const QString &title, const QString &label, int maximum)
{
    auto *dialog = new QProgressDialog(label, QStringLiteral("Cancel"), 0, maximum, parent);
    dialog->setWindowTitle(title);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setValue(0);
    dialog->show();
    return dialog;
}

Prompt *Prompt::current()
{
    static Prompt interactive;
    Prompt *p = installed.load();
    return p ? p : &interactive;
}

void Prompt::install(Prompt *p)
{
    installed.store(p);
}
