#pragma once
// The process-wide state every front end needs, brought up and torn down in a fixed order:
// "debug.log" truncated, shared drawing resources, UI strings, host interface, field types, template
// library. The windows come after start-up and go before shutdown.

void startEngine();
void stopEngine();
