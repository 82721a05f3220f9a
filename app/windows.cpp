#include "app/windows.h"

#include "app/Unit_hl.h"
#include "app/dialogs/Rotace_3d.h"
#include "app/dialogs/Rychlostzaznamu.h"
#include "app/dialogs/about_box.h"
#include "app/dialogs/mqtt_dialog.h"
#include "app/dialogs/Unitport.h"
#include "app/monitor/monitor_window.h"
#include "app/overview/overview_window.h"
#include "params/Unitmenumod.h"
#include "params/about_ident.h"
#include "params/load_form.h"
#include "ui_Unit_hl.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QIcon>

// The program's pictures live in a static library, so they are registered by hand.
static void registerPictures() { Q_INIT_RESOURCE(resources); }

namespace vx52 {

void installFontSubstitutes() {
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                           QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
}

AppWindows::AppWindows(Services services)
    : worker_(std::make_unique<LineWorker>(link_, services.line, services.pause,
                                           services.handOver)),
      context_{link_,          services.line,  services.settings, services.prompts,
               services.clock, services.pause, *worker_} {
    registerPictures();
    installFontSubstitutes();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vx52.svg")));

    link_.setLine(&services.line);
    worker_->setObserver(&telegrams_);
    Prompts& prompts = services.prompts;
    worker_->setNotifier([this, &prompts](const std::string& text, const std::string& caption) {
        prompts.message(qdx01, QCoreApplication::translate("Link", text.c_str()),
                        QCoreApplication::translate("Link", caption.c_str()), Prompts::Icon::Error);
    });

    main_window_ = std::make_unique<Tqdx01>(context_);
    qdx01 = main_window_.get();
    port = new Tport(context_, qdx01);
    AboutBox = new TAboutBox(context_, qdx01);
    about_ident = new Tabout_ident(context_, qdx01);
    menu_mod = new Tmenu_mod(context_, qdx01);
    rotace3D = new Trotace3D(context_, qdx01);
    form_zaznam = new Tform_zaznam(context_, qdx01);
    load_form = new Tload_form(context_, *menu_mod, qdx01);
    // A window of its own, not the main window's: the dialogs, modal to the main window only,
    // leave it usable. It does not keep the program running once the main window has closed.
    monitor_ = std::make_unique<Tmonitor>(context_, telegrams_, nullptr);
    monitor = monitor_.get();
    monitor->setAttribute(Qt::WA_QuitOnClose, false);
    mqtt = new Tmqtt(context_, qdx01);
    poller_ = std::make_unique<BusPoller>(*worker_, [this] { return qdx01->selectedLine(); });
    // Like the monitor, a window of its own that the main window's dialogs leave usable.
    prehled_ = std::make_unique<Tprehled>(
        context_, *poller_,
        Tprehled::Hooks{[this] { return port->foundAddresses(); },
                        [this](std::uint8_t station) { return port->takeStation(station); }},
        nullptr);
    prehled = prehled_.get();
    prehled->setAttribute(Qt::WA_QuitOnClose, false);
    // The overview's readings go to the broker as the main window's own do.
    QObject::connect(poller_.get(), &BusPoller::reading, qdx01,
                     [this](const StationReading& reading) { qdx01->publishStation(reading); });

    port->setObjectName(QStringLiteral("port"));
    AboutBox->setObjectName(QStringLiteral("AboutBox"));
    about_ident->setObjectName(QStringLiteral("about_ident"));
    menu_mod->setObjectName(QStringLiteral("menu_mod"));
    rotace3D->setObjectName(QStringLiteral("rotace3D"));
    form_zaznam->setObjectName(QStringLiteral("form_zaznam"));
    load_form->setObjectName(QStringLiteral("load_form"));
    mqtt->setObjectName(QStringLiteral("mqtt"));
    for (QDialog* dialog : std::initializer_list<QDialog*>{
             port, AboutBox, about_ident, menu_mod, rotace3D, form_zaznam, load_form, mqtt})
        dialog->setWindowModality(Qt::WindowModal);

    // What the windows reach of each other.
    qdx01->port = port;
    qdx01->AboutBox = AboutBox;
    qdx01->about_ident = about_ident;
    qdx01->menu_mod = menu_mod;
    qdx01->rotace3D = rotace3D;
    qdx01->form_zaznam = form_zaznam;
    qdx01->load_form = load_form;
    qdx01->monitor = monitor;
    qdx01->mqtt_dialog = mqtt;
    qdx01->prehled = prehled;
    port->setPortOpenedFlag(&qdx01->port_opened);
    rotace3D->setChart(qdx01->ui->Chart1);
}

AppWindows::~AppWindows() {
    // Polling ends first, so that no round is left to cancel; then the windows, while the
    // worker still takes their cancels. What it reports afterwards is never delivered, as no
    // event is handled any more.
    poller_->stop();
    prehled_.reset();
    monitor_.reset();
    main_window_.reset();
}

} // namespace vx52
