// The fixed geometry of the playfield picture: the skyline of its scenery
// and the hiding spots of the hider. The content generator draws the
// picture from the same tables, so the hit rule and the picture agree.
#include "world/kulisse.h"

// Upper outline of the scenery, world coordinates, x ascending. Vertex k
// and k + 1 bound segment k; the outline is a step line at each left vertex.
const POINT ptKulisse[MAX_KULISSE] = {
    {0, 475},    {64, 455},   {255, 465},  {432, 473},  {446, 467},  {464, 454},  {511, 456},  {539, 446},  {558, 442},
    {586, 436},  {607, 442},  {615, 462},  {631, 471},  {669, 484},  {675, 493},  {687, 515},  {718, 535},  {720, 539},
    {784, 540},  {802, 529},  {810, 521},  {820, 511},  {825, 497},  {830, 484},  {844, 455},  {858, 438},  {878, 434},
    {891, 432},  {905, 420},  {917, 408},  {923, 382},  {944, 370},  {977, 368},  {994, 377},  {1011, 387}, {1034, 392},
    {1058, 408}, {1072, 401}, {1100, 398}, {1127, 396}, {1142, 410}, {1157, 432}, {1169, 449}, {1208, 449}, {1220, 462},
    {1227, 492}, {1229, 550}, {1231, 550}, {1240, 550}, {1256, 550}, {1279, 550}, {1301, 536}, {1310, 531}, {1319, 522},
    {1336, 506}, {1341, 491}, {1354, 469}, {1365, 459}, {1386, 449}, {1412, 448}, {1430, 439}, {1442, 432}, {1460, 398},
    {1487, 391}, {1520, 393}, {1543, 401}, {1567, 407}, {1588, 416}, {1609, 425}, {1630, 419}, {1658, 419}, {1682, 416},
    {1702, 425}, {1714, 436}, {1731, 452}, {1744, 461}, {1785, 461}, {1801, 473}, {1810, 491}, {1859, 488}, {1906, 484},
    {2047, 484}, {2050, 484},
};

// Hiding spots: x on the playfield, y on the screen. Down at y + 88 the
// hider lies wholly below the skyline in front of it, so it stays out of
// sight and out of reach until it rises. The first spot sits this low
// because nothing may stand above the flat skyline at 465 there.
const POINT ptVersteckeAnfang[MAX_VERSTECKE] = {
    {264, 400}, {519, 401}, {587, 453}, {669, 456}, {970, 321}, {1196, 464}, {1531, 342}, {1750, 404},
};
