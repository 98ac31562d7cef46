// The two modal dialogs: the end-of-game question and "Over...", their words
// and names in the page's HTML. Each takes the focus as it opens and hands
// the keyboard back as it closes.
const kFocusInsideMs = 100;

function openModal(dialog, first) {
  // The news already told goes: as the page behind comes back, a screen reader takes it for new.
  dialog.ownerDocument.getElementById('news')?.replaceChildren();
  dialog.showModal();
  // The dialog itself takes the focus first, so that a screen reader in a
  // page speaks it whole even when the card it leaves has gone from its view.
  dialog.tabIndex = -1;
  dialog.focus();
  setTimeout(() => dialog.open && first.focus(), kFocusInsideMs);
}

// "Ja" (the default) or "Nee".
export function askQuestion(document, answered) {
  const dialog = document.getElementById('winQuestion');
  const yes = document.getElementById('cmdJa');
  const no = document.getElementById('cmdNee');
  openModal(dialog, yes);
  const answer = (value) => {
    yes.onclick = no.onclick = dialog.oncancel = dialog.onclose = dialog.onkeydown = null;
    dialog.close();
    answered(value);
  };
  yes.onclick = () => answer(true);
  no.onclick = () => answer(false);
  // Return before "Ja" has the focus answers it all the same: it is the default.
  dialog.onkeydown = (event) => {
    if (event.key === 'Enter' && event.target === dialog) {
      event.preventDefault();
      answer(true);
    }
  };
  // Esc answers "Nee", as the desktop's question takes it.
  dialog.oncancel = (event) => {
    event.preventDefault();
    answer(false);
  };
}

// OK, Enter and Esc close it; the page's game is untouched.
export function showAbout(document, closed) {
  const dialog = document.getElementById('frmOver');
  const ok = document.getElementById('cmdOK');
  openModal(dialog, ok);
  const close = () => {
    ok.onclick = dialog.oncancel = dialog.onkeydown = null;
    dialog.close();
    closed();
  };
  ok.onclick = close;
  dialog.oncancel = (event) => { event.preventDefault(); close(); };
  dialog.onkeydown = (event) => {
    if (event.key === 'Enter') {
      event.preventDefault();
      close();
    }
  };
}
