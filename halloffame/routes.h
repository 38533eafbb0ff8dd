// What the hall answers at each address: the JSON interface, the pages and
// the files of each entry. Every answer is made here from the request
// alone; a client's input gets a 4xx with its reason, never a 500.
#pragma once

#include <QByteArray>

#include "halloffame/http.h"
#include "halloffame/proofqueue.h"
#include "halloffame/store.h"
#include "halloffame/uploadlimit.h"
#include "halloffame/videos.h"

class Routes {
public:
    // proxy: the address of the reverse proxy in front, whose
    // X-Forwarded-For names the sender; empty when there is none.
    Routes(Store& store, ProofQueue& provers, const Videos& videos, QString proxy);

    // 503 with Retry-After while the database cannot be reached.
    Response answer(const Request& request);

private:
    // An upload from the interface or from a page's form.
    struct Upload {
        int status = 0;
        qint64 id = 0;
        QString error;
        QString state;  // queued, verified or rejected, for a kept entry
    };
    Response route(const Request& request);
    Upload take(const QByteArray& bytes, const QString& peer, const QString& name);
    Response send(const Request& request);
    Response sendForm(const Request& request);
    Response entries(const Request& request);
    Response entryFile(const QString& rest, const Request& request);
    Response boardPageOf(const QString& board, bool everyGame = false);

    Store& store_;
    ProofQueue& provers_;
    const Videos& videos_;
    const QString proxy_;
    UploadLimit limit_;
    QByteArray icon_;
};
