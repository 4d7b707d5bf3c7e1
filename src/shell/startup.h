#pragma once
// The process-wide state every front end needs, brought up and torn down in a fixed order: shared
// drawing resources, UI strings, host interface, the three batches of field types; the template
// library is emptied at shutdown. Sondrix.exe truncates "debug.log" before and scans the template
// library after; its windows come after start-up and go before shutdown.

void startEngine();
void stopEngine();
