#pragma once

#include "IDataChecker.h"

#include <QDialog>
#include <QString>

#include <memory>

// An edit dialog for one model object: exec() loads the object into the form, accept() validates through
// the checker and stores the form into the object. The object changes only when OK is accepted.
template <class Dialog, class Model, class Ui> class ObjectEditDialog : public QDialog
{
public:
    ObjectEditDialog(QWidget* parent, Model* model, IDataChecker<Dialog>* checker)
        : QDialog(parent, Qt::WindowCloseButtonHint), form(std::make_unique<Ui>()), checker(checker),
          model(model)
    {
        form->setupUi(this);
    }

    int exec() override
    {
        loadData();
        return QDialog::exec();
    }

    void accept() override
    {
        if (checker != nullptr && !checker->check(static_cast<Dialog*>(this))) {
            return;
        }
        if (!confirmAccept()) {
            return;
        }
        storeData();
        QDialog::accept();
    }

    // Asked once the checker accepted the data; false keeps the dialog open.
    virtual bool confirmAccept() { return true; }

    virtual QString name() const = 0;
    virtual bool isDefaultName() const = 0;
    virtual void loadData() = 0;
    virtual void storeData() = 0;

protected:
    std::unique_ptr<Ui> form;
    IDataChecker<Dialog>* checker;
    Model* model;
};
