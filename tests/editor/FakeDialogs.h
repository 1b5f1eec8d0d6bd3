#pragma once
#include <QList>
#include <QPair>
#include <QQueue>
#include <QString>

#include "editor/EditorDialogs.h"

// Answers the window's questions and dialogs from queues and records what was asked. A question
// or dialog with no answer queued fails the test through `unexpected`.
class FakeDialogs : public pocora::EditorDialogs {
  public:
    QQueue<bool> yesNo, okCancel;
    QQueue<QString> openNames, saveNames;

    QList<QPair<QString, QString>> questions;  // caption, text
    QList<QPair<QString, QString>> messages;   // caption, text
    QList<pocora::FileDialogRequest> openRequests, saveRequests;
    int unexpected = 0;

    bool askYesNo(const QString& caption, const QString& text) override {
        questions.append({caption, text});
        return take(yesNo, false);
    }
    bool askOkCancel(const QString& caption, const QString& text) override {
        questions.append({caption, text});
        return take(okCancel, false);
    }
    void showMessage(const QString& caption, const QString& text, pocora::MessageIcon) override {
        messages.append({caption, text});
    }
    QString openFileName(const pocora::FileDialogRequest& request) override {
        openRequests.append(request);
        return take(openNames, QString());
    }
    QString saveFileName(const pocora::FileDialogRequest& request) override {
        saveRequests.append(request);
        return take(saveNames, QString());
    }

  private:
    template <typename T>
    T take(QQueue<T>& queue, T fallback) {
        return queue.isEmpty() ? (++unexpected, fallback) : queue.dequeue();
    }
};
