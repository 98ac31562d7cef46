// The page: the engine started, its snapshot drawn, the player's mouse,
// touch and keys passed in, the question and "Over..." shown when due.
import { startEngine, kNoPart, Arrow } from './engine.js';
import { Board } from './board.js';
import { MenuBar } from './menus.js';
import { askQuestion, showAbout } from './dialogs.js';

const kFocusBackMs = 100;

// A small screen shows the whole window scaled down, proportions kept.
function fitWindow(document) {
  const frame = document.getElementById('window');
  const fit = () => {
    frame.style.transform = '';
    const width = frame.offsetWidth;
    const height = frame.offsetHeight;
    const room = document.documentElement;
    const scale = Math.min(1, room.clientWidth / width, window.innerHeight / height);
    frame.style.transform = scale < 1 ? `scale(${scale})` : '';
    document.body.style.width = `${Math.floor(width * scale)}px`;
    document.body.style.height = `${Math.floor(height * scale)}px`;
  };
  window.addEventListener('resize', fit);
  fit();
}

async function main() {
  const engine = await startEngine();
  const texts = engine.texts;
  const board = new Board(document);
  let questionOpen = false;

  // Back from a dialog, the grid takes the focus a moment before its card:
  // a screen reader in a page that still holds the dialog's vanished button
  // as its place would take the card in silence.
  const boardElement = document.getElementById('board');
  boardElement.tabIndex = -1;
  const backToBoard = () => {
    boardElement.focus();
    setTimeout(() => board.cards[board.focusedSlot].focus(), kFocusBackMs);
  };

  const shown = (view) => {
    board.draw(view);
    if (view.questionDue && !questionOpen) {
      questionOpen = true;
      // The news is spoken before the question's own announcement.
      setTimeout(() => askQuestion(document, (yes) => {
        questionOpen = false;
        shown(engine.answer(yes));
        backToBoard();
      }), texts.newsBeforeModalMs);
    }
  };
  const modalUp = () => questionOpen || document.querySelector('dialog[open]') !== null;

  const menus = new MenuBar(document, texts, {
    newGame: () => {
      shown(engine.newGame());
      board.cards[board.focusedSlot].focus();
    },
    about: () => showAbout(document, backToBoard),
  });

  boardElement.addEventListener('focusin', (event) => {
    const slot = board.slotOf(event.target);
    if (slot < 0 || board.quietFocus)
      return;
    board.rove(slot);
    shown(engine.focus(slot));
  });
  boardElement.addEventListener('focusout', (event) => {
    if (board.slotOf(event.relatedTarget) < 0)
      shown(engine.focus(kNoPart));
  });
  boardElement.addEventListener('click', (event) => {
    const slot = board.slotOf(event.target.closest('.card'));
    if (slot >= 0 && !modalUp())
      shown(engine.click(slot));
  });
  boardElement.addEventListener('keydown', (event) => {
    const slot = board.slotOf(event.target);
    if (slot < 0 || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey)
      return;
    if (event.key in Arrow) {
      event.preventDefault();
      board.cards[engine.step(slot, Arrow[event.key])].focus();
    } else if (event.key === ' ' || event.key === 'Enter') {
      // Handled here, once, rather than by the button's own click on key up.
      event.preventDefault();
      if (!event.repeat)
        shown(engine.click(slot));
    }
  });
  boardElement.addEventListener('keyup', (event) => {
    if (event.key === ' ' && board.slotOf(event.target) >= 0)
      event.preventDefault();
  });
  document.addEventListener('keydown', (event) => {
    if (event.key === 'F2' && !modalUp() && !menus.isOpen) {
      event.preventDefault();
      shown(engine.newGame());
    }
  });

  const seed = Number(new URLSearchParams(location.search).get('seed') ?? -1);
  shown(engine.load(Number.isInteger(seed) && seed >= 0 ? seed : -1));
  fitWindow(document);
  // Offline after the first visit, and installable on a phone's home screen.
  navigator.serviceWorker?.register('sw.js');
  document.documentElement.dataset.ready = 'true';
  if (globalThis.koppeloTest)
    globalThis.koppeloTest.ready = true;
}

main();
