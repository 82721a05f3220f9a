#include "app/dialogs/mqtt_dialog.h"

#include "app/mqtt_choice.h"
#include "ui/guard.h"
#include "ui_mqtt_dialog.h"

#include <QFileInfo>

Tmqtt::Tmqtt(vx52::AppContext& ctx, QWidget* parent)
    : QDialog(parent), ui(new Ui::Tmqtt), ctx(ctx) {
    ui->setupUi(this);
    const auto guarded = [this](auto f) { return vx52::guard(this->ctx.prompts, this, f); };
    connect(ui->tl_ok, &QPushButton::clicked, this, guarded([this] { tl_okClick(); }));
    connect(ui->tl_storno, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->tl_ca, &QPushButton::clicked, this, guarded([this] { tl_caClick(); }));
    connect(ui->check_tls, &QCheckBox::clicked, this, guarded([this] { check_tlsClick(); }));
    ui->ed_prefix->setPlaceholderText(vx52::defaultMqttPrefix());
    const QString where = ctx.settings.location();
    ui->lb_heslo->setText(where.isEmpty()
                              ? tr("Heslo se ukládá jen do nastavení programu tohoto uživatele.")
                              : tr("Heslo se ukládá jen do souboru nastavení %1, který může číst "
                                   "a měnit jen váš uživatel (práva 0600).")
                                    .arg(where));
}

Tmqtt::~Tmqtt() { delete ui; }

void Tmqtt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void Tmqtt::FormShow() {
    const vx52::MqttChoice c = vx52::readMqttChoice(ctx.settings);
    ui->check_mqtt->setChecked(c.enabled);
    ui->ed_host->setText(c.settings.host);
    ui->ed_port->setText(QString::number(c.settings.port));
    ui->ed_klient->setText(c.settings.clientId);
    ui->ed_prefix->setText(c.settings.prefix);
    ui->ed_jmeno->setText(c.settings.user);
    ui->ed_heslo->setText(c.settings.password);
    ui->check_tls->setChecked(c.settings.tls);
    ui->ed_ca->setText(c.settings.caFile);
    ui->ed_ca->setEnabled(c.settings.tls);
    ui->tl_ca->setEnabled(c.settings.tls);
}

void Tmqtt::check_tlsClick() {
    const bool tls = ui->check_tls->isChecked();
    ui->ed_ca->setEnabled(tls);
    ui->tl_ca->setEnabled(tls);
    // The usual port follows the choice unless the operator gave another.
    const QString from = QString::number(tls ? vx52::MqttSettings::kPlainPort
                                             : vx52::MqttSettings::kTlsPort);
    if (ui->ed_port->text().trimmed() == from)
        ui->ed_port->setText(QString::number(tls ? vx52::MqttSettings::kTlsPort
                                                 : vx52::MqttSettings::kPlainPort));
}

void Tmqtt::tl_caClick() {
    const QString file = ctx.prompts.openFile(
        this, {tr("Certifikát CA"), tr("Certifikáty (*.pem *.crt);;Všechny soubory (*)"), QString(),
               ui->ed_ca->text(), false});
    if (!file.isEmpty()) ui->ed_ca->setText(file);
}

bool Tmqtt::refuse(const QString& text, QWidget* entry) {
    ctx.prompts.message(this, text, caption(), vx52::Prompts::Icon::Warning);
    entry->setFocus();
    return false;
}

void Tmqtt::tl_okClick() {
    vx52::MqttChoice c;
    vx52::MqttSettings& s = c.settings;
    c.enabled = ui->check_mqtt->isChecked();
    s.host = ui->ed_host->text().trimmed();
    s.clientId = ui->ed_klient->text().trimmed();
    s.prefix = ui->ed_prefix->text().trimmed();
    s.user = ui->ed_jmeno->text();
    s.password = ui->ed_heslo->text();
    s.tls = ui->check_tls->isChecked();
    s.caFile = ui->ed_ca->text().trimmed();
    bool portOk = false;
    s.port = ui->ed_port->text().trimmed().toInt(&portOk);
    if (!portOk || s.port < 1 || s.port > 65535) {
        refuse(tr("Port musí být celé číslo od 1 do 65535."), ui->ed_port);
        return;
    }
    if (c.enabled && s.host.isEmpty()) {
        refuse(tr("Zadejte broker: název nebo adresu počítače."), ui->ed_host);
        return;
    }
    if (!s.prefix.isEmpty() && !vx52::prefixProblem(s.prefix).isEmpty()) {
        refuse(tr("Předpona témat nesmí obsahovat + ani # a nesmí mít prázdnou "
                  "úroveň (/ na začátku, na konci nebo dvě za sebou)."),
               ui->ed_prefix);
        return;
    }
    if (s.tls && !s.caFile.isEmpty() && !QFileInfo(s.caFile).isReadable()) {
        refuse(tr("Soubor certifikátu CA nelze číst: %1").arg(s.caFile), ui->ed_ca);
        return;
    }
    // The password is written only into a store that nobody else can read.
    if (!s.password.isEmpty() && !ctx.settings.keepPrivate()) {
        refuse(tr("Soubor nastavení %1 nelze nastavit tak, aby ho četl jen váš "
                  "uživatel. Heslo se neuloží.")
                   .arg(ctx.settings.location()),
               ui->ed_heslo);
        return;
    }
    vx52::writeMqttChoice(ctx.settings, c);
    ctx.settings.flush();
    accept();
}
