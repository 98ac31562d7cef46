// Draws the snapshot the engine hands over and raises its ARIA events:
// cards renamed, the focus moved, the news put into the live region.
const kSlots = 36;
const kCounterPart = kSlots;

const faceAddress = (face) => `img/face-${String(face).padStart(2, '0')}.png`;

export class Board {
  constructor(document) {
    this.doc = document;
    // The page's HTML holds the grid, its cards and the live region with their roles.
    this.cards = [...document.querySelectorAll('#board .card')];
    this.news = document.getElementById('news');
    this.previews = [document.getElementById('Picture4'), document.getElementById('Picture5')];
    this.counter = document.getElementById('Label1');
    this.focusedSlot = 0;
    this.quietFocus = false;
  }

  static showFace(box, face) {
    if (!box)
      return;
    let picture = box.querySelector('img');
    if (face < 0) {
      picture?.remove();
      return;
    }
    if (!picture) {
      picture = box.ownerDocument.createElement('img');
      picture.alt = '';
      picture.draggable = false;
      box.append(picture);
    }
    const address = faceAddress(face);
    if (picture.getAttribute('src') !== address)
      picture.setAttribute('src', address);
  }

  name(part, names) {
    const element = part < kSlots ? this.cards[part] : this.previews[part - kCounterPart - 1];
    if (element && element.getAttribute('aria-label') !== names[part])
      element.setAttribute('aria-label', names[part]);
  }

  // The pictures first, then the events in the announcer's order, then any
  // name not yet given (the announcer held it back for the keyboard).
  draw(view) {
    view.cards.forEach((card, slot) => {
      const button = this.cards[slot];
      button.className = `box card ${card.state}`;
      Board.showFace(button, card.state === 'down' ? -1 : card.face);
    });
    Board.showFace(this.previews[0], view.first);
    Board.showFace(this.previews[1], view.second);
    if (this.counter && this.counter.textContent !== view.pairs)
      this.counter.textContent = view.pairs;
    // The region holds this event's news alone: a card named there as turned
    // up may lie face down after the next event.
    if (view.events.some((event) => event.kind === 'news'))
      this.news.replaceChildren();
    for (const event of view.events) {
      if (event.kind === 'news')
        this.tell(event.text);
      else if (event.kind === 'rename' || event.kind === 'renew')
        this.name(event.part, view.names);
      else if (event.kind === 'focus' && event.part < kSlots)
        this.moveFocus(event.part);
    }
    for (let part = 0; part < view.names.length; ++part)
      if (part !== kCounterPart)
        this.name(part, view.names);
  }

  // Each news item a node of its own, so that the same words twice are told twice.
  tell(text) {
    const item = this.doc.createElement('p');
    item.textContent = text;
    this.news.append(item);
  }

  // Only one card is in the tab order: the one the keyboard was last on.
  rove(slot) {
    this.cards[this.focusedSlot].tabIndex = -1;
    this.focusedSlot = slot;
    this.cards[slot].tabIndex = 0;
  }

  moveFocus(slot) {
    this.rove(slot);
    if (this.doc.activeElement === this.cards[slot])
      return;
    this.quietFocus = true;  // the engine moved it: not news to the engine
    this.cards[slot].focus();
    this.quietFocus = false;
  }

  slotOf(element) {
    const slot = element?.dataset?.slot;
    return slot === undefined ? -1 : Number(slot);
  }
}
