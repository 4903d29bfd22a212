#include "help_text.h"

namespace quellmark::ctl {

std::string HelpText(std::string_view programName, std::string_view portForms) {
    const std::string name(programName);
    return "Aufruf: " + name + " [OPTIONEN] PORT\n" +
           "Stellt die Verstärkungen (TX, RX) eines GSM-Modems über die serielle Leitung ein\n"
           "und liest sie zurück, für jeden Kanal der Liste der Reihe nach.\n"
           "\n"
           "PORT                 1 bis 10 wie COM 1 bis COM 10 im Fenster, oder ein Gerät wie " +
           std::string(portForms) +
           ",\n"
           "                     oder ein serieller Port im Netz: rfc2217://RECHNER:PORT (Telnet\n"
           "                     nach RFC 2217) oder socket://RECHNER:PORT (TCP), beide ohne\n"
           "                     Passwort und Verschlüsselung (sicher über SSH-Tunnel oder VPN)\n"
           "  -c, --channel LISTE  Kanäle, durch Kommas getrennt (Vorgabe: A)\n"
           "      --tx DB          Sendeverstärkung setzen: -6,5 bis 51 in Schritten von 0,5\n"
           "      --rx DB          Empfangsverstärkung setzen: -22 bis 6, nur gerade Werte\n"
           "      --apply DATEI    Kanäle mit TX und RX aus dem JSON von --read --json setzen,\n"
           "                       - für die Standardeingabe; nicht mit -c, --tx, --rx\n"
           "      --store          Einstellungen im Modem speichern\n"
           "      --read           beide Verstärkungen abfragen und ausgeben\n"
           "      --timeout SEK    Wartezeit von --read je Kanal (Vorgabe: 2)\n"
           "      --json           was --read fand, als JSON ausgeben\n"
           "  -h, --help           diese Hilfe\n"
           "      --version        Version ausgeben\n"
           "\n"
           "Zahlen mit Punkt oder Komma (10.5 oder 10,5). Je Kanal gehen die Befehle in der\n"
           "Reihenfolge TX, RX, Speichern, Abfrage hinaus. Nach -- kommt nur noch der PORT\n"
           "(für ein Gerät, dessen Name mit - beginnt).\n"
           "\n"
           "Rückgabewert: 0 erledigt, 1 die Ausgabe ließ sich nicht schreiben (geht allem vor),\n"
           "2 falscher Aufruf oder ungültige Datei, 3 Port lässt sich nicht öffnen, 4 ein Wert\n"
           "kam nicht, 5 Verbindung während des Laufs verloren oder Befehle nicht rechtzeitig\n"
           "hinausgegangen.\n"
           "\n"
           "Beispiele: " +
           name + " 1 -c A,B,C --tx 10,5 --rx -2 --store --read\n" + "           " + name +
           " 1 -c A,B,C --read --json > werte.json\n" + "           " + name +
           " 1 --apply werte.json --store\n" + "           " + name +
           " rfc2217://gateway:7000 -c A --read\n";
}

std::string VersionText(std::string_view programName, std::string_view version) {
    return std::string(programName) + " " + std::string(version) + "\n";
}

}  // namespace quellmark::ctl
