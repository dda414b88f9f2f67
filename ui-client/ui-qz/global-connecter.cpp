#include "global-connecter.h"

#include <QCoreApplication>
#include <QThread>

void registerHubMetaTypes()
{
    registerSiteMetaTypes();
    qRegisterMetaType<SiteFileList>("SiteFileList");
    qRegisterMetaType<uint64_t>("uint64_t");
    qRegisterMetaType<ResumeInfoList>("std::vector<ResumeInfo> ");
    qRegisterMetaType<ResumeInfoList>("ResumeInfoList");
    qRegisterMetaType<SiteInfo>("SiteInfo");
    qRegisterMetaType<ActionButtonStates>("ActionButtonStates");
    qRegisterMetaType<ActionButtonStates>("std::map<int,bool>");
}

GlobalConnecter::GlobalConnecter()
{
    registerHubMetaTypes();
    // A worker may be first to ask; the hub still belongs to the main thread.
    // The constructing thread owns the object here, so it may hand it over.
    QCoreApplication* app = QCoreApplication::instance();
    if (app && thread() != app->thread())
        moveToThread(app->thread());
}

GlobalConnecter* GlobalConnecter::getInstance()
{
    static GlobalConnecter g;
    return &g;
}
