#include "core/codelists/Countries.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "core/codelists/CodeListStrings.h"

namespace tarvex {
namespace {

// Table order as the customs lists give it; the last row is the sentinel.
constexpr std::array<CodeText, 353> kCountries = {{
    {u"US", u"Vereinigte Staaten"},
    {u"GB", u"Vereinigtes Königreich"},
    {u"AE", u"Arab. Emirate, Ver."},
    {u"AE", u"Abu Dhabi"},
    {u"AE", u"Adschman"},
    {u"AE", u"Dubai"},
    {u"AE", u"Fudschaira"},
    {u"AE", u"Ras el-Chaima"},
    {u"AE", u"Schardscha"},
    {u"AE", u"Umm al-Kaiwain"},
    {u"AF", u"Afghanistan"},
    {u"EG", u"Ägypten"},
    {u"AL", u"Albanien"},
    {u"DZ", u"Algerien"},
    {u"AS", u"Amerikanisch-Samoa"},
    {u"UM", u"Amerikanische Überseeinseln, kleinere"},
    {u"SC", u"Amiranten-In"},
    {u"AD", u"Andorra"},
    {u"AO", u"Angola"},
    {u"AI", u"Anguilla"},
    {u"GQ", u"Annobon-I"},
    {u"AQ", u"Antarktis"},
    {u"AG", u"Antigua-I"},
    {u"AN", u"Antillen, Niederl."},
    {u"GQ", u"Äquatorialguinea"},
    {u"AR", u"Argentinien"},
    {u"AM", u"Armenien"},
    {u"AW", u"Aruba-I"},
    {u"SH", u"Ascension"},
    {u"AZ", u"Aserbaidschan"},
    {u"ET", u"Äthiopien"},
    {u"AU", u"Australien"},
    {u"PT", u"Azoren"},
    {u"BS", u"Bahamas"},
    {u"BH", u"Bahrain"},
    {u"UM", u"Baker-I"},
    {u"BD", u"Bangladesch"},
    {u"BB", u"Barbados-I"},
    {u"AG", u"Barbuda"},
    {u"BY", u"Belarus"},
    {u"PW", u"Belau"},
    {u"BE", u"Belgien"},
    {u"BZ", u"Belize"},
    {u"BJ", u"Benin"},
    {u"BM", u"Bermuda"},
    {u"PS", u"Besetzte palästinensische Gebiete"},
    {u"BT", u"Bhutan"},
    {u"MM", u"Birma (ehem.)"},
    {u"BO", u"Bolivien"},
    {u"AN", u"Bonaíre-I"},
    {u"MY", u"Borneo, Nord-"},
    {u"ID", u"Borneo, Süd-"},
    {u"BA", u"Bosnien"},
    {u"BW", u"Botsuana"},
    {u"BV", u"Bouvetinsel"},
    {u"BR", u"Brasilien"},
    {u"IO", u"Britisches Territorium im Indischen Ozean"},
    {u"BN", u"Brunei Darussalam"},
    {u"BG", u"Bulgarien"},
    {u"BF", u"Burkina Faso"},
    {u"BI", u"Burundi"},
    {u"CH", u"Schweiz"},
    {u"CH", u"Büsingen"},
    {u"AO", u"Cabinda-Landana"},
    {u"TC", u"Caicos-In"},
    {u"NZ", u"Campbell-I"},
    {u"XC", u"Ceuta"},
    {u"LK", u"Ceylon (ehem.)"},
    {u"CL", u"Chile"},
    {u"CN", u"China"},
    {u"CK", u"Cook-In"},
    {u"CK", u"Cookinseln"},
    {u"CR", u"Costa Rica"},
    {u"CI", u"Côte d’Ivoire"},
    {u"PA", u"Cristobal"},
    {u"AN", u"Curacao-I"},
    {u"BJ", u"Dahome (ehem.)"},
    {u"DK", u"Dänemark"},
    {u"CD", u"Demokratische Republik Kongo"},
    {u"FR", u"Déairade-I"},
    {u"DE", u"Deutschland"},
    {u"DM", u"Dominica-I"},
    {u"DO", u"Dominikanische Republik"},
    {u"DJ", u"Dschibuti"},
    {u"EC", u"Ecuador"},
    {u"CI", u"Elfenbeinküste"},
    {u"SV", u"El Salvador"},
    {u"ER", u"Eritrea"},
    {u"EE", u"Estland"},
    {u"FK", u"Falkland-In"},
    {u"FO", u"Färöer-In"},
    {u"FJ", u"Fidschi"},
    {u"FI", u"Finnland"},
    {u"FM", u"Förerierte Staaten von Mikronesien"},
    {u"TW", u"Formosa (ehem.)"},
    {u"FR", u"Frankreich"},
    {u"TF", u"Französische Südgebiete"},
    {u"WF", u"Futuna-I"},
    {u"GA", u"Gabun"},
    {u"EC", u"Galapagos-In"},
    {u"GM", u"Gambia"},
    {u"PS", u"Gazastreifen"},
    {u"GE", u"Georgien"},
    {u"PF", u"Gesellschafts-In"},
    {u"GH", u"Ghana"},
    {u"GI", u"Gibraltar"},
    {u"KI", u"Gilbert-In (ehem.)"},
    {u"GD", u"Grenada-I"},
    {u"GR", u"Griechenland"},
    {u"GL", u"Grönland"},
    {u"GB", u"Großbritannien"},
    {u"FR", u"Guadeloupe-In"},
    {u"GU", u"Guam"},
    {u"GU", u"Guam-I"},
    {u"GT", u"Guatemala"},
    {u"FR", u"Guayana, Französisch-"},
    {u"GN", u"Guinea"},
    {u"GW", u"Guinea-Bissau"},
    {u"GY", u"Guyana"},
    {u"HT", u"Haiti"},
    {u"HM", u"Heard- und McDonaldinseln"},
    {u"HM", u"Heard-I"},
    {u"VA", u"Heiliger Stuhl (Vatikanstadt)"},
    {u"BA", u"Herzegowina"},
    {u"HN", u"Honduras"},
    {u"HK", u"Hongkong"},
    {u"UM", u"Howland-I"},
    {u"IN", u"Indien"},
    {u"ID", u"Indonesien"},
    {u"CN", u"Innere Mongolei"},
    {u"IQ", u"Irak"},
    {u"IR", u"Iran, Islamische Republik"},
    {u"IE", u"Irland"},
    {u"IS", u"Island"},
    {u"IL", u"Israel"},
    {u"IT", u"Italien"},
    {u"JM", u"Jamaika"},
    {u"JP", u"Japan"},
    {u"YE", u"Jemen"},
    {u"PS", u"Jericho"},
    {u"JO", u"Jordanien"},
    {u"VI", u"Jungfern-In, Amerik."},
    {u"VG", u"Jungfern-In, Brit."},
    {u"KY", u"Kaimaninseln"},
    {u"KH", u"Kambodscha"},
    {u"CM", u"Kamerun"},
    {u"CA", u"Kanada"},
    {u"GB", u"Kanal-In, Brit."},
    {u"CV", u"Kap Verde"},
    {u"FM", u"Karolinen-In"},
    {u"KZ", u"Kasachstan"},
    {u"QA", u"Katar"},
    {u"KE", u"Kenia"},
    {u"KG", u"Kirgisistan"},
    {u"KI", u"Kiribati"},
    {u"CC", u"Kokos-(Keeling-)In"},
    {u"CC", u"Kokosinseln (Keelinginseln)"},
    {u"CO", u"Kolumbien"},
    {u"KM", u"Komoren"},
    {u"CD", u"Kongo, Dem. Rep."},
    {u"CG", u"Kongo, Republik"},
    {u"KP", u"Korea, Dem. Volksrep. (Nordkorea)"},
    {u"KR", u"Korea, Republik (Südkorea)"},
    {u"XK", u"Kosovo"},
    {u"HR", u"Kroatien"},
    {u"CU", u"Kuba"},
    {u"KW", u"Kuwait"},
    {u"LA", u"Laos, Dem. Volksrep."},
    {u"LS", u"Lesotho"},
    {u"FR", u"Les Saintes-In"},
    {u"LV", u"Lettland"},
    {u"LB", u"Libanon"},
    {u"LR", u"Liberia"},
    {u"LY", u"Libysch-Arabische Dschamahirija"},
    {u"LI", u"Liechtenstein"},
    {u"LT", u"Litauen"},
    {u"AU", u"Lord-Howe-I (austral.)"},
    {u"SB", u"Lord-Howe-In (Salomonen)"},
    {u"LU", u"Luxemburg"},
    {u"MO", u"Macau"},
    {u"MG", u"Madagaskar"},
    {u"PT", u"Madeira"},
    {u"MW", u"Malawi"},
    {u"MY", u"Malaysia"},
    {u"MV", u"Malediven"},
    {u"ML", u"Mali"},
    {u"MT", u"Malta"},
    {u"GB", u"Man-I"},
    {u"CN", u"Mandschurei"},
    {u"FR", u"Marie-Galante-I"},
    {u"MA", u"Marokko"},
    {u"MH", u"Marshall-In"},
    {u"FR", u"Martinique-I"},
    {u"MR", u"Mauretanien"},
    {u"MU", u"Mauritius"},
    {u"YT", u"Mayotte"},
    {u"MK", u"Mazedonien"},
    {u"HM", u"McDonald-In"},
    {u"XL", u"Melilla"},
    {u"MX", u"Mexiko"},
    {u"UM", u"Midway-In"},
    {u"FM", u"Mikronesien, Föderierte Staaten von"},
    {u"PM", u"Miquelon-In"},
    {u"MD", u"Moldau, Republik"},
    {u"FR", u"Monaco"},
    {u"MN", u"Mongolei"},
    {u"ME", u"Montenegro"},
    {u"MS", u"Montserrat-I"},
    {u"MZ", u"Mosambik"},
    {u"MM", u"Myanmar"},
    {u"NA", u"Namibia"},
    {u"NR", u"Nauru"},
    {u"NP", u"Nepal"},
    {u"NC", u"Neukaledonien"},
    {u"NZ", u"Neuseeland"},
    {u"KN", u"Nevis-I"},
    {u"NI", u"Nicaragua"},
    {u"NL", u"Niederlande"},
    {u"AN", u"Niederländische Antillen"},
    {u"NE", u"Niger"},
    {u"NG", u"Nigeria"},
    {u"NU", u"Niue"},
    {u"NU", u"Niue-I"},
    {u"VC", u"Nord-Grenadinen"},
    {u"MY", u"Nordborneo (Sabah)"},
    {u"GB", u"Nordirland"},
    {u"MP", u"Nördliche Marianen"},
    {u"NF", u"Norfolk-I"},
    {u"NF", u"Norfolkinsel"},
    {u"NO", u"Norwegen"},
    {u"BF", u"Obervolta (ehem.)"},
    {u"OM", u"Oman"},
    {u"AT", u"Österreich"},
    {u"PS", u"Ost-Jerusalem"},
    {u"TL", u"Osttimor (ehem.)"},
    {u"PK", u"Pakistan"},
    {u"PW", u"Palau"},
    {u"PA", u"Panama (einschl. ehem. Kanalzone)"},
    {u"PG", u"Papua-Neuguinea"},
    {u"PY", u"Paraguay"},
    {u"PE", u"Peru"},
    {u"PH", u"Philippinen"},
    {u"PN", u"Pitcairn-Inseln"},
    {u"PL", u"Polen"},
    {u"PF", u"Polynesien, Fr.-"},
    {u"PT", u"Portugal"},
    {u"ST", u"Príncipe-I"},
    {u"US", u"Puerto Rico"},
    {u"FR", u"Réunion"},
    {u"ZW", u"Rhodesien (ehem.)"},
    {u"JP", u"Riukiu-In"},
    {u"RW", u"Ruanda"},
    {u"RO", u"Rumänien"},
    {u"RU", u"Russische Föreration"},
    {u"RU", u"Russland"},
    {u"MY", u"Sabah"},
    {u"AN", u"Saba-I"},
    {u"SB", u"Salomonen"},
    {u"PG", u"Salomon-In (Papua)"},
    {u"ZM", u"Sambia"},
    {u"WS", u"Samoa"},
    {u"WS", u"Samoa (West-) (ehem.)"},
    {u"AS", u"Samoa, amerikanisch"},
    {u"SM", u"San Marino"},
    {u"TZ", u"Sansibar"},
    {u"SB", u"Santa-Cruz-In"},
    {u"ST", u"Sao-Tomé-I"},
    {u"MY", u"Sarawak"},
    {u"SA", u"Saudi-Arabien"},
    {u"SE", u"Schweden"},
    {u"SN", u"Senegal"},
    {u"XS", u"Serbien"},
    {u"SC", u"Seychellen"},
    {u"SL", u"Sierra Leone"},
    {u"IN", u"Sikkim"},
    {u"ZW", u"Simbabwe"},
    {u"SG", u"Singapur"},
    {u"SK", u"Slowakei"},
    {u"SI", u"Slowenien"},
    {u"SO", u"Somalia"},
    {u"PF", u"Sous-le-Vent-In"},
    {u"ES", u"Spanien"},
    {u"ES", u"Kanarische In"},
    {u"LK", u"Sri Lanka"},
    {u"FR", u"St. Barthélemy"},
    {u"KN", u"St. Christoph (St. Kitts) – Nevis (ehemals)"},
    {u"AN", u"St. Eustatius-I"},
    {u"SH", u"St. Helena-I"},
    {u"KN", u"St. Kitts-I"},
    {u"LC", u"St. Lucia"},
    {u"FR", u"St. Martin-I (franz.)"},
    {u"AN", u"St. Martin-I (niederl.)"},
    {u"PM", u"St. Pierre-In"},
    {u"VC", u"St. Vincent-I"},
    {u"SD", u"Sudan"},
    {u"ZA", u"Südafrika"},
    {u"ID", u"Südborneo"},
    {u"GS", u"Südgeorgien"},
    {u"GS", u"Südgeorgien und die Südlichen Sandwichinseln"},
    {u"GD", u"Süd-Grenadinen"},
    {u"KR", u"Südkorea"},
    {u"GS", u"Süd-Sandwich-In"},
    {u"SR", u"Suriname"},
    {u"NO", u"Svalbard"},
    {u"HN", u"Swan-(Schwan-)In"},
    {u"SZ", u"Swasiland"},
    {u"SY", u"Syrien, Arab. Rep."},
    {u"TJ", u"Tadschikistan"},
    {u"PF", u"Tahiti-I"},
    {u"TW", u"Taiwan"},
    {u"TZ", u"Tansania, Verein. Rep."},
    {u"AU", u"Tasmanien"},
    {u"ES", u"Teneriffa"},
    {u"TH", u"Thailand"},
    {u"CN", u"Tibet"},
    {u"TL", u"Timor-Leste"},
    {u"TT", u"Tobago-I"},
    {u"TG", u"Togo"},
    {u"TK", u"Tokelauinseln"},
    {u"TK", u"Tokelau-(Union-)In"},
    {u"TO", u"Tonga"},
    {u"TT", u"Trinidad-I"},
    {u"SH", u"Tristan da Cunha-I"},
    {u"TD", u"Tschad"},
    {u"IO", u"Tschagos-In"},
    {u"CZ", u"Tschechische Republik"},
    {u"PF", u"Tuamotu-(Paumotu-)In"},
    {u"PF", u"Tubuai-In"},
    {u"TN", u"Tunesien"},
    {u"TR", u"Türkei"},
    {u"TM", u"Turkmenistan"},
    {u"TC", u"Turks-In"},
    {u"TV", u"Tuvalu"},
    {u"UG", u"Uganda"},
    {u"UA", u"Ukraine"},
    {u"HU", u"Ungarn"},
    {u"UY", u"Uruguay"},
    {u"UZ", u"Usbekistan"},
    {u"VU", u"Vanuatu"},
    {u"VA", u"Vatikanstadt"},
    {u"VE", u"Venezuela"},
    {u"YE", u"Aden"},
    {u"VN", u"Vietnam"},
    {u"UM", u"Wake-I"},
    {u"WF", u"Wallis-In"},
    {u"CX", u"Weihnachts-I (Ind. Oz.)"},
    {u"KI", u"Weihnachts-I (Paz. Oz.)"},
    {u"BY", u"Weißrussland"},
    {u"PS", u"Westjordanland"},
    {u"CD", u"Zaire, Rep. (ehem.)"},
    {u"CF", u"Zentralafrikanische Republik"},
    {u"CY", u"Zypern"},
    {u"2000@", u""},
}};

constexpr std::array<CodeText, 186> kCurrencies = {{
    {u"ADF", u"Andorranischer Franc"},
    {u"ADP", u"Andorranische Pesete"},
    {u"AED", u"Vereinigte Arabische Emirate-Dirham"},
    {u"AFN", u"Afghanischer Afghani"},
    {u"ALL", u"Albanischer Lek"},
    {u"ANG", u"NL-Antillen-Gulden"},
    {u"AON", u"Angolanischer Kwanza"},
    {u"ARA", u"Argentinischer Austral"},
    {u"ARL", u"Argentinischer Peso Ley"},
    {u"ARM", u"Argentinischer Peso Moneda Nacional"},
    {u"ARP", u"Peso Argentino"},
    {u"ARS", u"Argentinischer Peso"},
    {u"ATS", u"Österreichischer Schilling"},
    {u"AUD", u"Australischer Dollar"},
    {u"AWG", u"Aruba-Florin"},
    {u"BBD", u"Barbados-Dollar"},
    {u"BDT", u"Bangladeschischer Taka"},
    {u"BEF", u"Belgischer Franc"},
    {u"BGN", u"Bulgarischer Lew"},
    {u"BHD", u"Bahrain-Dinar"},
    {u"BIF", u"Burundi-Franc"},
    {u"BMD", u"Bermuda-Dollar"},
    {u"BND", u"Brunei-Dollar"},
    {u"BOB", u"Bolivianischer Boliviano"},
    {u"BRB", u"Brasilianischer Cruzeiro Novo"},
    {u"BRC", u"Brasilianischer Cruzado"},
    {u"BRE", u"Brasilianischer Cruzeiro"},
    {u"BRL", u"Brasilianischer Real"},
    {u"BRN", u"Brasilianischer Cruzado Novo"},
    {u"BRP", u"Brasilianischer Cruzeiro"},
    {u"BRR", u"Brasilianischer Cruzeiro Real"},
    {u"BSD", u"Bahama-Dollar"},
    {u"BTN", u"Bhutanischer Ngultrum"},
    {u"BWP", u"Botsuanischer Pula"},
    {u"BZD", u"Belize-Dollar"},
    {u"CAD", u"Kanadischer Dollar"},
    {u"CHF", u"Schweizer Franken"},
    {u"CLP", u"Chilenischer Peso"},
    {u"CNY", u"Chinesischer Renminbi Yuan"},
    {u"COP", u"Kolumbianischer Peso"},
    {u"CRC", u"Costa-Rica-Colón"},
    {u"CSK", u"Tschechische Krone"},
    {u"CUC", u"Kubanischer Peso"},
    {u"CUP", u"Kubanischer Peso"},
    {u"CVE", u"Kap-Verde-Escudo"},
    {u"CYP", u"Zypern-Pfund"},
    {u"DEM", u"Deutsche Mark"},
    {u"DJF", u"Dschibuti-Franc"},
    {u"DKK", u"Dänische Krone"},
    {u"DOP", u"Dominikanischer Peso"},
    {u"DZD", u"Algerischer Dinar"},
    {u"ECS", u"Ecuadorianischer Sucre"},
    {u"EEK", u"Estnische Krone"},
    {u"EGP", u"Ägyptisches Pfund"},
    {u"ESP", u"Spanische Pesete"},
    {u"ETB", u"Äthiopischer Birr"},
    {u"EUR", u"Euro"},
    {u"FIM", u"Finnische Mark"},
    {u"FJD", u"Fidschi-Dollar"},
    {u"FKP", u"Falkland-Pfund"},
    {u"FRF", u"Französischer Franc"},
    {u"GBP", u"Britisches Pfund"},
    {u"GHC", u"Ghanaischer Cedi"},
    {u"GIP", u"Gibraltar-Pfund"},
    {u"GMD", u"Gambischer Dalasi"},
    {u"GNF", u"Guinea-Franc"},
    {u"GRD", u"Griechische Drachme"},
    {u"GTQ", u"Guatemaltekischer Quetzal"},
    {u"GYD", u"Guyana-Dollar"},
    {u"HKD", u"Hongkong-Dollar"},
    {u"HNL", u"Honduranische Lempira"},
    {u"HRK", u"Kroatische Kuna"},
    {u"HTG", u"Haitianische Gourde"},
    {u"HUF", u"Ungarischer Forint"},
    {u"IDR", u"Indonesische Rupiah"},
    {u"IEP", u"Irisches Pfund"},
    {u"ILS", u"Israelischer Neuer Schekel"},
    {u"INR", u"Indische Rupie"},
    {u"IQD", u"Irakischer Dinar"},
    {u"IRR", u"Iranischer Rial"},
    {u"ISK", u"Isländische Krone"},
    {u"ITL", u"Italienische Lire"},
    {u"JMD", u"Jamaikanischer Dollar"},
    {u"JOD", u"Jordanischer Dinar"},
    {u"JPY", u"Japanischer Yen"},
    {u"KES", u"Kenianischer Schilling"},
    {u"KHR", u"Kambodschanischer Riel"},
    {u"KMF", u"Komoren-Franc"},
    {u"KPW", u"Nordkoreanischer Won"},
    {u"KRW", u"Südkoreanischer Won"},
    {u"KWD", u"Kuwaitischer Dinar"},
    {u"KYD", u"Kaiman-Dollar"},
    {u"KZT", u"Kasachstan-Tenge"},
    {u"LAK", u"Laotischer Kip"},
    {u"LBP", u"Libanesisches Pfund"},
    {u"LKR", u"Sri-Lanka-Rupie"},
    {u"LRD", u"Liberianischer Dollar"},
    {u"LSL", u"Lesothischer Loti"},
    {u"LTL", u"Litauische Litas"},
    {u"LUF", u"Luxemburgischer Franc"},
    {u"LVL", u"Lettische Lats"},
    {u"LYD", u"Lybischer Dinar"},
    {u"MAD", u"Marokkanischer Dirham"},
    {u"MGF", u"Madagaskar-Franc"},
    {u"MMK", u"Myanmarischer Kyat"},
    {u"MNT", u"Mongolischer Tugrik"},
    {u"MOP", u"Macauische Pataca"},
    {u"MRO", u"Mauretanische Ouguiya"},
    {u"MTL", u"Maltesische Lire"},
    {u"MUR", u"Mauritius-Rupie"},
    {u"MVR", u"Maledivische Rufiyaa"},
    {u"MWK", u"Malawi-Kwacha"},
    {u"MXN", u"Mexikanischer Peso (ab 1992)"},
    {u"MXP", u"Mexikanischer Peso (bis 1992)"},
    {u"MYR", u"Malaysischer Ringgit"},
    {u"MZM", u"Mosambikanischer Metical"},
    {u"NAD", u"Namibischer Dollar"},
    {u"NGN", u"Nigerianische Naira"},
    {u"NIC", u"Nicaraguanischer Córdoba"},
    {u"NIO", u"Nicaraguanischer Córdoba Oro"},
    {u"NLG", u"Niederländischer Gulden"},
    {u"NOK", u"Norwegische Krone"},
    {u"NPR", u"Nepalesische Rupie"},
    {u"NZD", u"Neuseeländischer Dollar"},
    {u"OMR", u"Omani-Rial"},
    {u"PAB", u"Panamaischer Balboa"},
    {u"PEH", u"Sol de Oro"},
    {u"PEI", u"Inti"},
    {u"PEN", u"Peruanischer Sol"},
    {u"PGK", u"Papua-Neuguinea-Kina"},
    {u"PHP", u"Philippinischer Peso"},
    {u"PKR", u"Pakistanische Rupie"},
    {u"PLZ", u"Polnischer Zloty"},
    {u"PTE", u"Portugiesischer Escudo"},
    {u"PYG", u"Paraguayischer Guarani"},
    {u"QAR", u"Katar-Rial"},
    {u"ROL", u"Rumänischer Leu"},
    {u"RUB", u"Russischer Rubel"},
    {u"SAR", u"Saudi-Riyal"},
    {u"SBD", u"Salomonen-Dollar"},
    {u"SCR", u"Seychellen-Rupie"},
    {u"SDD", u"Sudanesischer Dinar"},
    {u"SDP", u"Sudanesisches Pfund"},
    {u"SEK", u"Schwedische Krone"},
    {u"SGD", u"Singapur-Dollar"},
    {u"SHP", u"St. Helena-Pfund"},
    {u"SIT", u"Slowenischer Tolar"},
    {u"SKK", u"Slovakische Krone"},
    {u"SLL", u"Sierraleonische Leone"},
    {u"SOS", u"Somalischer Schilling"},
    {u"SRD", u"Suriname-Dollar"},
    {u"SRG", u"Suriname-Gulden"},
    {u"STD", u"Sao-Tomé/Príncipe-Dobra"},
    {u"SVC", u"El-Salvador-Colón"},
    {u"SYP", u"Syrisches Pfund"},
    {u"SZL", u"Swasiländischer Lilangeni"},
    {u"THB", u"Thailändischer Baht"},
    {u"TND", u"Tunesischer Dinar"},
    {u"TOP", u"Tongaische Pa´anga"},
    {u"TRL", u"Türkische Lira"},
    {u"TTD", u"Trinidad & Tobago-Dollar"},
    {u"TWD", u"Taiwanesischer Dollar"},
    {u"TZS", u"Tansania-Schilling"},
    {u"UAH", u"Ukrainische Griwna"},
    {u"UGS", u"Uganda-Schilling"},
    {u"USD", u"US-Dollar"},
    {u"UYN", u"Uruguayischer Peso"},
    {u"UYP", u"Uruguayischer Peso oder Peso Uruguayo"},
    {u"VEB", u"Venezuelanischer Bolivar"},
    {u"VND", u"Vietnamesischer Dong"},
    {u"VUV", u"Vanuatu-Vatu"},
    {u"WST", u"Samoanischer Tala"},
    {u"XAF", u"CFA-Franc BEAC"},
    {u"XAG", u"Silber (Unze)"},
    {u"XAU", u"Gold (Unze)"},
    {u"XCD", u"Ostkaribischer Dollar"},
    {u"XEU", u"ECU"},
    {u"XOF", u"CFA-Franc BCEAO"},
    {u"XPD", u"Palladium (Unze)"},
    {u"XPF", u"Franc der frz. Pazifikkolonien"},
    {u"XPT", u"Platin (Unze)"},
    {u"YUN", u"Jugoslawischer Dinar"},
    {u"ZAR", u"Südafrikanischer Rand"},
    {u"ZMK", u"Sambischer Kwacha"},
    {u"ZWD", u"Simbabwe-Dollar"},
    {u"2000", u"@"},
}};

// The rows before the sentinel; checked at compile time so the span can never run past it.
template <size_t N>
constexpr size_t RowsBeforeSentinel(const std::array<CodeText, N>& table) {
    for (size_t i = 0; i < N; ++i) {
        int value = 0;
        for (char16_t c : table[i].code) {
            if (c < u'0' || c > u'9') break;
            value = value * 10 + (c - u'0');
        }
        if (value > 1998) return i;
    }
    return N;
}
static_assert(RowsBeforeSentinel(kCountries) == 352);
static_assert(RowsBeforeSentinel(kCurrencies) == 185);

// Where a code stands for several rows and the first of them in table order is a part of the
// country (an island, a former name), the row of the country itself: a typed code and a code
// preset choose it ("FR" is Frankreich, not Déairade-I).
constexpr std::array<CodeText, 29> kCountryOfCode = {{
    {u"AN", u"Niederländische Antillen"},
    {u"FM", u"Mikronesien, Föderierte Staaten von"},
    {u"FR", u"Frankreich"},
    {u"GQ", u"Äquatorialguinea"},
    {u"ID", u"Indonesien"},
    {u"KI", u"Kiribati"},
    {u"KN", u"St. Kitts-I"},
    {u"LK", u"Sri Lanka"},
    {u"MM", u"Myanmar"},
    {u"MY", u"Malaysia"},
    {u"NZ", u"Neuseeland"},
    {u"PA", u"Panama (einschl. ehem. Kanalzone)"},
    {u"PF", u"Polynesien, Fr.-"},
    {u"PM", u"St. Pierre-In"},
    {u"PT", u"Portugal"},
    {u"PW", u"Palau"},
    {u"SB", u"Salomonen"},
    {u"SC", u"Seychellen"},
    {u"SH", u"St. Helena-I"},
    {u"ST", u"Sao-Tomé-I"},
    {u"TC", u"Turks-In"},
    {u"TL", u"Timor-Leste"},
    {u"TT", u"Trinidad-I"},
    {u"TW", u"Taiwan"},
    {u"TZ", u"Tansania, Verein. Rep."},
    {u"VC", u"St. Vincent-I"},
    {u"WF", u"Wallis-In"},
    {u"ZW", u"Simbabwe"},
    {u"CK", u"Cookinseln"},
}};

constexpr bool EveryCountryOfCodeIsARow() {
    for (const CodeText& c : kCountryOfCode) {
        bool found = false;
        for (const CodeText& r : kCountries) found = found || (r.code == c.code && r.text == c.text);
        if (!found) return false;
    }
    return true;
}
static_assert(EveryCountryOfCodeIsARow());

bool StandsForItsCode(const CodeText& row) {
    for (const CodeText& c : kCountryOfCode)
        if (c.code == row.code && c.text == row.text) return true;
    return false;
}

constexpr const char16_t* kDe = u"DE";
constexpr const char16_t* kEur = u"EUR";

int FirstCodeItem(std::span<const CodeText> rows, std::u16string_view prefix) {
    // The first item of the sorted code list that begins with prefix.
    for (int row : CodeListOrder(rows))
        if (StartsWithIgnoringCase(rows[static_cast<size_t>(row)].code, prefix)) return row;
    return -1;
}

}  // namespace

std::span<const CodeText> Countries() {
    return std::span<const CodeText>(kCountries.data(), RowsBeforeSentinel(kCountries));
}

std::span<const CodeText> Currencies() {
    return std::span<const CodeText>(kCurrencies.data(), RowsBeforeSentinel(kCurrencies));
}

std::vector<int> CodeListOrder(std::span<const CodeText> rows) {
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const CodeText& ra = rows[static_cast<size_t>(a)];
        const CodeText& rb = rows[static_cast<size_t>(b)];
        if (ra.code != rb.code) return ra.code < rb.code;
        // Among equal codes the country itself comes first, then table order.
        return StandsForItsCode(ra) && !StandsForItsCode(rb);
    });
    return order;
}

std::vector<int> NameListOrder(std::span<const CodeText> rows) {
    std::vector<std::u16string> keys;
    keys.reserve(rows.size());
    for (const CodeText& r : rows) keys.push_back(GermanSortKey(r.text));
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const auto ia = static_cast<size_t>(a), ib = static_cast<size_t>(b);
        if (keys[ia] != keys[ib]) return keys[ia] < keys[ib];
        return rows[ia].text < rows[ib].text;
    });
    return order;
}

std::u16string_view CountryDialogTitle(int mode) {
    switch (mode) {
        case 1:
            return codestr::kTitleBestimmungsland;
        case 2:
            return codestr::kTitleUrsprungsland;
        case 3:
            return codestr::kTitleVersendungsland;
        case 4:
            return codestr::kTitleErzeugungsland;
        default:
            return codestr::kLaendercodes;
    }
}

CountrySelection CountryPresetSelection(std::u16string_view namePreset, std::u16string_view codePreset) {
    const auto rows = Countries();
    CountrySelection sel;
    if (!namePreset.empty()) {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (StartsWithIgnoringCase(rows[i].text, namePreset)) {
                sel.nameRow = static_cast<int>(i);
                sel.codeRow = FirstCodeItem(rows, rows[i].code);
                break;
            }
        }
        // A name that matches no row leaves the code preset (or "DE") to decide.
        if (sel.nameRow < 0 && codePreset.empty()) codePreset = kDe;
    } else if (codePreset.empty()) {
        codePreset = kDe;
    }
    if (codePreset.empty()) return sel;
    int codeRow = FirstCodeItem(rows, codePreset);
    if (codeRow < 0) codeRow = FirstCodeItem(rows, kDe);
    // Among repeated codes the name decides: a name row that carries the selected code stays.
    if (sel.nameRow >= 0 &&
        rows[static_cast<size_t>(sel.nameRow)].code == rows[static_cast<size_t>(codeRow)].code)
        return sel;
    sel.codeRow = codeRow;
    sel.nameRow = CountryNameItemForCodeRow(codeRow);
    return sel;
}

int CountryNameItemForCodeRow(int codeRow) {
    const auto rows = Countries();
    if (codeRow < 0 || static_cast<size_t>(codeRow) >= rows.size()) return -1;
    // Names are unique, so the name item with the row's name is the row itself; searched anyway,
    // as the list does, so a repeated name would still find its first item.
    for (int row : NameListOrder(rows))
        if (rows[static_cast<size_t>(row)].text == rows[static_cast<size_t>(codeRow)].text) return row;
    return -1;
}

int CountryCodeItemForNameRow(int nameRow) {
    const auto rows = Countries();
    if (nameRow < 0 || static_cast<size_t>(nameRow) >= rows.size()) return -1;
    for (int row : CodeListOrder(rows))
        if (rows[static_cast<size_t>(row)].code == rows[static_cast<size_t>(nameRow)].code) return row;
    return -1;
}

CountryResult CountryResultOf(int nameRow) {
    const auto rows = Countries();
    if (nameRow < 0 || static_cast<size_t>(nameRow) >= rows.size()) return {};
    const CodeText& r = rows[static_cast<size_t>(nameRow)];
    return {std::u16string(r.text), std::u16string(r.code)};
}

int CurrencyPresetRow(std::u16string_view preset) {
    if (preset.empty()) preset = kEur;
    const auto rows = Currencies();
    for (int row : CodeListOrder(rows))
        if (rows[static_cast<size_t>(row)].code == preset) return row;
    return -1;
}

int CurrencyCodeItemForNameRow(int nameRow) {
    const auto rows = Currencies();
    if (nameRow < 0 || static_cast<size_t>(nameRow) >= rows.size()) return -1;
    for (int row : CodeListOrder(rows))
        if (rows[static_cast<size_t>(row)].code == rows[static_cast<size_t>(nameRow)].code) return row;
    return -1;
}

std::u16string CurrencyResult(int codeRow, std::u16string_view preset) {
    const auto rows = Currencies();
    if (codeRow < 0 || static_cast<size_t>(codeRow) >= rows.size()) return std::u16string(preset);
    return std::u16string(rows[static_cast<size_t>(codeRow)].code);
}

}  // namespace tarvex
