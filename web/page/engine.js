// The game compiled to WebAssembly: each call hands back what to draw, as
// the C++ presenter lays it out; nothing of the rules lives in this file.
import createKoppelo from './koppelo.mjs';

export const kNoPart = -1;
export const Arrow = { ArrowLeft: 0, ArrowRight: 1, ArrowUp: 2, ArrowDown: 3 };

export async function startEngine() {
  const wasm = await createKoppelo();
  const call = (name, ...args) => JSON.parse(wasm.UTF8ToString(wasm[`_${name}`](...args)));
  // Only the tests' build judges the game; the players' build has no such call.
  if (wasm._koppelo_judged_fault) {
    globalThis.koppeloTest = {
      fault: () => wasm.UTF8ToString(wasm._koppelo_judged_fault()),
      snapshot: () => call('koppelo_judged_seen'),
    };
  }
  return {
    texts: call('koppelo_texts'),
    // seed < 0: the clock deals.
    load: (seed) => call('koppelo_load', seed),
    click: (slot) => call('koppelo_click', slot),
    focus: (slot) => call('koppelo_focus', slot),
    newGame: () => call('koppelo_new_game'),
    answer: (yes) => call('koppelo_answer', yes ? 1 : 0),
    step: (slot, arrow) => wasm._koppelo_step(slot, arrow),
  };
}
