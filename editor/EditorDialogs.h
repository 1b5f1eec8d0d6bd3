#pragma once
#include <QString>
#include <QStringList>

class QWidget;

namespace pocora {

// What a file dialog asks for. Filters are written "name(pattern)".
struct FileDialogRequest {
    QString title;
    QStringList filters;  // the first one is selected
    QString defaultSuffix;
    QString directory;  // empty: the toolkit's choice
    bool mustExist = false;
    bool confirmOverwrite = false;
};

enum class MessageIcon { None, Question, Warning };

// The window's modal conversations with the user: message boxes and file dialogs. Tests put
// answers in their place.
class EditorDialogs {
  public:
    virtual ~EditorDialogs() = default;

    // A question with Yes and No (question icon); true for Yes.
    virtual bool askYesNo(const QString& caption, const QString& text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool askOkCancel(const QString& caption, const QString& text) = 0;
    // A message with one OK button.
    virtual void showMessage(const QString& caption, const QString& text, MessageIcon icon) = 0;
    // The chosen file's full path, or an empty string when the dialog was cancelled.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
};

// The real conversations, through QMessageBox and QFileDialog.
class QtEditorDialogs : public EditorDialogs {
  public:
    explicit QtEditorDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    bool askYesNo(const QString& caption, const QString& text) override;
    bool askOkCancel(const QString& caption, const QString& text) override;
    void showMessage(const QString& caption, const QString& text, MessageIcon icon) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;

  private:
    QString runFileDialog(const FileDialogRequest& request, bool save);

    QWidget* parent_;
};

}  // namespace pocora
